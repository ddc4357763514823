#include "widgets/command_button.h"

#include "widgets/look.h"
#include "widgets/window.h"

#include <QMouseEvent>
#include <QStyleOptionButton>
#include <QStyleOptionFocusRect>
#include <QStylePainter>

CommandButton::CommandButton(QWidget *parent, const char *name, const QString &caption, int left, int top,
                             int width, int height)
    : QPushButton(caption, parent)
{
    setObjectName(QLatin1String(name));
    setAutoDefault(true); // a focused button takes Enter itself
    placeTwips(*this, left, top, width, height);
    connect(this, &QPushButton::clicked, this, [this] { runEvent(this, onClick); });
}

void CommandButton::mousePressEvent(QMouseEvent *event)
{
    runEvent(this, onMouseDown);
    QPushButton::mousePressEvent(event);
}

// Painted as QPushButton paints itself, except that the caption is laid out on the whole
// button, as native buttons lay it out: a style's label area leaves out the frame and, on a
// button that takes Enter, room for the default mark, and in a button barely taller than its
// font (Form1's "↓" and "S") it would cut the caption to a sliver. The button's edge still
// clips it.
void CommandButton::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    painter.drawControl(QStyle::CE_PushButtonBevel, option);
    QStyleOptionButton label = option;
    label.rect = rect();
    painter.drawControl(QStyle::CE_PushButtonLabel, label);
    if (option.state & QStyle::State_HasFocus) {
        QStyleOptionFocusRect focus;
        focus.QStyleOption::operator=(option);
        focus.rect = style()->subElementRect(QStyle::SE_PushButtonFocusRect, &option, this);
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}

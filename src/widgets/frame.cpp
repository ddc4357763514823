#include "widgets/frame.h"

#include "widgets/look.h"
#include "widgets/window.h"

#include <QMouseEvent>

Frame::Frame(QWidget *parent, const char *name, const QString &caption, Border border, int left, int top,
             int width, int height)
    : QGroupBox(caption, parent), border_(border)
{
    setObjectName(QLatin1String(name));
    setAutoFillBackground(true); // a panel covers what lies under it
    placeTwips(*this, left, top, width, height);
}

void Frame::paintEvent(QPaintEvent *event)
{
    if (border_ == WithBorder)
        QGroupBox::paintEvent(event); // without a border only the filled background shows
}

void Frame::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (onDblClick && event->button() == Qt::LeftButton && !childAt(event->pos())) {
        runEvent(this, onDblClick);
        return;
    }
    event->ignore();
}

bool Frame::focusNextPrevChild(bool next)
{
    // Qt asks a widget that hides with the focus in it to pass the focus on to the next
    // control in the tab order, which may lie in a panel just shown. A panel put away
    // leaves the focus with its window instead: no control gets it unasked.
    if (isHidden()) {
        window()->setFocus();
        return true;
    }
    return QGroupBox::focusNextPrevChild(next);
}

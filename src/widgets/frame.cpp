#include "widgets/frame.h"

#include "widgets/look.h"
#include "widgets/window.h"

#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionGroupBox>

#include <cmath>

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
    if (border_ != WithBorder)
        return; // without a border only the filled background shows
    const qreal ratio = devicePixelRatioF();
    if (ratio == std::floor(ratio)) {
        QGroupBox::paintEvent(event);
        return;
    }
    // At a scale between whole ones (125 %), the Windows style, drawing the frame straight
    // into the window, cuts it off above its bottom edge: it is drawn into a picture of the
    // frame's own size first, which the style fills whole, and the picture is shown.
    QImage picture((QSizeF(size()) * ratio).toSize(), QImage::Format_ARGB32_Premultiplied);
    picture.setDevicePixelRatio(ratio);
    picture.fill(Qt::transparent);
    QStyleOptionGroupBox option;
    initStyleOption(&option);
    {
        QPainter painter(&picture);
        style()->drawComplexControl(QStyle::CC_GroupBox, &option, &painter, this);
    }
    QPainter(this).drawImage(QPointF(0, 0), picture);
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

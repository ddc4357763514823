#include "widgets/line.h"

#include "widgets/look.h"

#include <QPainter>

#include <algorithm>

Line::Line(QWidget *parent, const char *name, int x1, int y1, int x2, int y2, quint32 bgr)
    : QWidget(parent), x1_(x1), y1_(y1), x2_(x2), y2_(y2), color_(colorFromBgr(bgr))
{
    setObjectName(QLatin1String(name));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    fit();
}

void Line::setX2(int twips)
{
    x2_ = twips;
    fit();
    update();
}

void Line::fit()
{
    const int left = twipsToPixels(std::min(x1_, x2_));
    const int top = twipsToPixels(std::min(y1_, y2_));
    setGeometry(left, top, twipsToPixels(std::max(x1_, x2_)) - left + 1,
                twipsToPixels(std::max(y1_, y2_)) - top + 1);
}

void Line::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setPen(color_);
    const QPoint origin = pos();
    painter.drawLine(QPoint(twipsToPixels(x1_), twipsToPixels(y1_)) - origin,
                     QPoint(twipsToPixels(x2_), twipsToPixels(y2_)) - origin);
}

#include "widgets/label.h"

#include "core/convert.h"
#include "widgets/look.h"
#include "widgets/window.h"

#include <QFontMetricsF>
#include <QMouseEvent>

#include <algorithm>

namespace {

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// The rule that keeps a label clear of the one before it on its line ("秒后关闭！" after a
// growing count, "%" after the loading count): the label stands at its own Left or, when the
// one before has grown into it, `gapTwips` after that one's right edge. Returns the x, in
// pixels, where it stands.
int leftClearOf(const QWidget &before, int leftTwips, int gapTwips)
{
    return std::max(twipsToPixels(leftTwips), before.geometry().right() + 1 + twipsToPixels(gapTwips));
}

// Widens the containers of a control that reaches past their right edge, up to the
// window's client area (whose fixed size the window follows).
void growToHold(QWidget &control)
{
    const int margin = twipsToPixels(120);
    QWidget *child = &control;
    for (QWidget *parent = child->parentWidget(); parent && !parent->isWindow();
         child = parent, parent = parent->parentWidget()) {
        const int needed = child->geometry().right() + 1 + margin;
        if (needed <= parent->width())
            return;
        if (parent->minimumWidth() == parent->maximumWidth())
            parent->setFixedWidth(needed);
        else
            parent->resize(needed, parent->height());
    }
}

} // namespace

Label::Label(QWidget *parent, const char *name, const QString &caption, int left, int top, int width,
             int height)
    : QLabel(parent), left_(left), autoSize_(width < 0)
{
    setObjectName(QLatin1String(name));
    setTextFormat(Qt::PlainText); // a caption is shown as it stands, never as markup
    caption_ = caption;
    QLabel::setText(displayText(caption));
    placeTwips(*this, left, top, width, height);
}

void Label::setCaption(const QString &caption)
{
    if (caption == caption_)
        return;
    const bool sameRoom = takesSameRoom(caption);
    caption_ = caption;
    QLabel::setText(displayText(caption));
    if (!sameRoom)
        fit(); // measuring the text is most of what a new caption costs
    if (onChange)
        onChange();
}

// A clock or a count that goes on changes only digits, in the same places; in a face whose
// digits are all as wide (nearly every interface face), the text then takes the room it
// took before.
bool Label::takesSameRoom(const QString &caption)
{
    if (caption.size() != caption_.size())
        return false;
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] != caption_[i] && !(isDigit(caption[i]) && isDigit(caption_[i])))
            return false;
    }
    if (font().key() != digitsMeasuredFor_) {
        digitsMeasuredFor_ = font().key();
        const QFontMetrics metrics(font());
        digitsAlike_ = true;
        for (char16_t d = u'1'; d <= u'9'; ++d)
            digitsAlike_ =
                digitsAlike_ && metrics.horizontalAdvance(QChar(d)) == metrics.horizontalAdvance(u'0');
    }
    return digitsAlike_;
}

void Label::setLeft(int twips)
{
    left_ = twips;
    place();
}

void Label::place()
{
    move(before_ ? leftClearOf(*before_, left_, gapTwips_) : twipsToPixels(left_), y());
    if (before_)
        growToHold(*this);
}

void Label::keepClearOf(Label *before, int gapTwips)
{
    before_ = before;
    gapTwips_ = gapTwips;
    before->follower_ = this;
    place();
}

void Label::shrinkToFit(const QStringList &samples, int widthTwips)
{
    QFont f = font();
    auto fits = [&] {
        const QFontMetricsF metrics(f);
        for (const QString &sample : samples)
            if (metrics.horizontalAdvance(sample) > twipsToPixels(widthTwips))
                return false;
        return true;
    };
    while (!fits() && f.pointSizeF() > 1)
        f.setPointSizeF(f.pointSizeF() - 0.25);
    setFont(f);
    fit();
}

void Label::setForeColor(quint32 bgr)
{
    foreColor_ = bgr;
    applyForeColor(*this, bgr);
}

void Label::setFontSize(double pointSize)
{
    applyFont(*this, pointSize, font().bold());
    fit();
}

void Label::setBold(bool bold)
{
    applyFont(*this, font().pointSizeF(), bold);
    fit();
}

void Label::setFace(const QStringList &families, double pointSize)
{
    setFont(faceFont(font(), families, pointSize));
    fit();
}

void Label::fit()
{
    if (autoSize_)
        resize(sizeHint());
    if (follower_)
        follower_->place();
}

void Label::mousePressEvent(QMouseEvent *event)
{
    event->setAccepted(bool(onClick));
}

void Label::mouseReleaseEvent(QMouseEvent *event)
{
    const bool click =
        !afterDoubleClick_ && event->button() == Qt::LeftButton && rect().contains(event->pos());
    afterDoubleClick_ = false;
    if (click)
        runEvent(this, onClick);
}

void Label::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (!onDblClick && !onClick) {
        event->ignore(); // let the container see it
        return;
    }
    afterDoubleClick_ = true;
    if (event->button() == Qt::LeftButton)
        runEvent(this, onDblClick);
}

#include "widgets/controls.h"

#include "core/convert.h"
#include "widgets/label_layout.h"
#include "widgets/window.h"

#include <QFontMetricsF>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionButton>
#include <QStyleOptionFocusRect>
#include <QStylePainter>

#include <algorithm>

namespace {
bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}
} // namespace

void EventSource::raiseEvent(const Handler &handler)
{
    if (!carried_) {
        runEvent(control_, handler);
        return;
    }
    if (*carried_ || !handler)
        return;
    try {
        handler();
    } catch (...) {
        *carried_ = std::current_exception();
    }
}

void EventSource::assign(const std::function<void()> &change)
{
    std::exception_ptr error;
    std::exception_ptr *outer = carried_;
    carried_ = &error;
    change();
    carried_ = outer;
    if (error)
        std::rethrow_exception(error);
}

// --- Label

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

// --- TextBox

TextBox::TextBox(QWidget *parent, const char *name, const QString &text, int left, int top, int width,
                 int height)
    : QLineEdit(text, parent), EventSource(this)
{
    setObjectName(QLatin1String(name));
    placeTwips(*this, left, top, width, height);
    connect(this, &QLineEdit::textChanged, this, [this] { raiseEvent(onChange); });
}

void TextBox::setText(const QString &text)
{
    assign([&] {
        QLineEdit::setText(text);
        setCursorPosition(0); // a text put in by the program shows from its beginning
    });
}

void TextBox::setPasswordChar(QChar c)
{
    setEchoMode(QLineEdit::Password);
    setStyleSheet(QStringLiteral("QLineEdit { lineedit-password-character: %1; }").arg(c.unicode()));
}

void TextBox::setForeColor(quint32 bgr)
{
    foreColor_ = bgr;
    applyForeColor(*this, bgr);
}

void TextBox::mouseReleaseEvent(QMouseEvent *event)
{
    QLineEdit::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->pos()))
        runEvent(this, onClick);
}

// --- CommandButton

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

// --- CheckBox

CheckBox::CheckBox(QWidget *parent, const char *name, const QString &caption, int left, int top, int width,
                   int height)
    : QCheckBox(caption, parent), EventSource(this)
{
    setObjectName(QLatin1String(name));
    placeTwips(*this, left, top, width, height);
    connect(this, &QCheckBox::toggled, this, [this] { raiseEvent(onClick); });
}

void CheckBox::setValue(int value)
{
    assign([&] { setChecked(value != 0); });
}

// --- ComboBox

ComboBox::ComboBox(QWidget *parent, const char *name, int left, int top, int width, int height)
    : QComboBox(parent), EventSource(this)
{
    setObjectName(QLatin1String(name));
    // When an edit finishes (Enter, Tab, a click elsewhere) and the typed text equals an
    // entry, QComboBox selects that entry and reports it as activated. Typed text is not a
    // pick: the first and last slots on editingFinished bracket QComboBox's own one
    // (slots run in the order they were connected), and an activation inside is ignored.
    auto *edit = new QLineEdit(this);
    connect(edit, &QLineEdit::editingFinished, this, [this] { finishingEdit_ = true; });
    setEditable(true);
    setLineEdit(edit);
    connect(edit, &QLineEdit::editingFinished, this, [this] { finishingEdit_ = false; });
    setInsertPolicy(QComboBox::NoInsert);
    setCompleter(nullptr);
    setEditText(QString());
    placeTwips(*this, left, top, width, height);
    connect(this, &QComboBox::activated, this, [this](int index) {
        if (finishingEdit_)
            return;
        listIndex_ = index;
        raiseEvent(onClick);
    });
    connect(lineEdit(), &QLineEdit::textEdited, this, [this] {
        listIndex_ = -1;
        raiseEvent(onChange);
    });
}

void ComboBox::addItem(const QString &item)
{
    const QString kept = currentText();
    QComboBox::addItem(item);
    if (currentText() != kept) { // the first entry would otherwise fill the box
        setCurrentIndex(-1);
        setEditText(kept);
    }
}

void ComboBox::setText(const QString &text)
{
    if (text == currentText())
        return;
    listIndex_ = -1;
    setEditText(text);
    if (onChange)
        onChange();
}

// --- Frame

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

// --- Line

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

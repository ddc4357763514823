#include "widgets/text_box.h"

#include "widgets/look.h"
#include "widgets/window.h"

#include <QMouseEvent>

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

#pragma once

#include "widgets/event_source.h"

#include <QLineEdit>

// A one-line text box: the text the user types and the text the program sets both run
// onChange; a click runs onClick.
class TextBox final : public QLineEdit, private EventSource {
public:
    TextBox(QWidget *parent, const char *name, const QString &text, int left, int top, int width, int height);

    // Runs onChange when the text changes; the box then shows the text from its beginning.
    void setText(const QString &text);
    void setPasswordChar(QChar c);
    quint32 foreColor() const { return foreColor_; }
    void setForeColor(quint32 bgr);

    Handler onChange;
    Handler onClick;

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    quint32 foreColor_ = 0;
};

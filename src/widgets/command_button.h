#pragma once

#include "widgets/event_context.h"

#include <QPushButton>

// A push button: a click (or Enter on it) runs onClick; any mouse button pressed on it runs
// onMouseDown first.
class CommandButton final : public QPushButton {
public:
    CommandButton(QWidget *parent, const char *name, const QString &caption, int left, int top, int width,
                  int height);

    QString caption() const { return text(); }
    void setCaption(const QString &caption) { setText(caption); }

    Handler onClick;
    Handler onMouseDown; // any mouse button

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
};

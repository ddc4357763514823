#pragma once

#include "widgets/event_context.h"

#include <QGroupBox>

// A panel: hides its children with it. Without a border it is a plain opaque area.
// Hidden with the focus in it, it leaves the focus with its window.
class Frame final : public QGroupBox {
public:
    enum Border { NoBorder, WithBorder };
    Frame(QWidget *parent, const char *name, const QString &caption, Border border, int left, int top,
          int width, int height);

    QString caption() const { return title(); }
    void setCaption(const QString &caption) { setTitle(caption); }

    Handler onDblClick; // a double-click on the frame itself, not on a control in it

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    bool focusNextPrevChild(bool next) override;

private:
    Border border_;
};

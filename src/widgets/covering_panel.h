#pragma once

#include <QObject>
#include <QPointer>

#include <vector>

class QWidget;

// The panels of a window's client area that, while shown, cover every other control of the
// window against the keyboard and assistive technology as well as the mouse (the loading
// panel, the lock panel): Tab and Shift+Tab cycle through the panel's own controls, focus
// that would land under it goes to the panel (its first control, or the panel itself when
// it has none, so keys reach only the panel), shortcuts of a control under it are dropped,
// and a control under it cannot be pressed through its accessible action. When it hides,
// the focus goes back to the control that had it. The covered controls keep their state and
// look; nothing is disabled or hidden. Of several, the one added last lies on top.
class CoveringPanels final : public QObject {
public:
    CoveringPanels(QWidget *window, QWidget *client);

    void add(QWidget *panel);
    // False for a control that a shown panel covers.
    bool reachable(const QWidget *control) const;
    // Tab (forward) or Shift+Tab: while a panel shows, moves the focus among its controls and
    // returns true.
    bool moveFocus(bool forward);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *top() const; // the top one shown, or none
    void focusPanel(QWidget *panel, bool forward);
    QWidget *window_;
    QWidget *client_;
    std::vector<QWidget *> panels_; // from the bottom up
    QPointer<QWidget> focusBeforeCover_;
};

#pragma once

#include "platform/controls.h"

#include <QAction>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <memory>
#include <vector>

class Desktop;
class QMenu;
class QMenuBar;
class QVBoxLayout;
class Timer;
class TimerBackend;

// The base of every window: a fixed client area measured in twips where the controls
// live, an optional menu bar above it, Default (Enter) and Cancel (Esc) buttons, the
// close request and the double-click on the window's own background.
class Window : public QWidget {
public:
    Window(Desktop &desktop, const QString &caption, int clientWidth, int clientHeight);

    // Runs once, right after the window is created; windows that load something override it.
    virtual void Form_Load() {}
    // True while this window has a timed shutdown waiting to happen.
    virtual bool timedShutdownPending() const { return false; }

    Desktop &desktop() const { return desktop_; }
    QWidget *client() const { return client_; }
    QMenuBar *menuBar();

    void setDefaultButton(CommandButton *button) { defaultButton_ = button; }
    void setCancelButton(CommandButton *button) { cancelButton_ = button; }

    // A panel of the client area that, while it is shown, covers every other control of the
    // window against the keyboard and assistive technology as well as the mouse: Tab and
    // Shift+Tab cycle through the panel's own controls, focus that would land under it goes
    // to the panel (its first control, or the panel itself when it has none, so keys reach
    // only the panel), shortcuts of a control under it are dropped, and a control under it
    // cannot be pressed through its accessible action. When it hides, the focus goes back to
    // the control that had it. The covered controls keep their state and look; nothing is
    // disabled or hidden. Of several such panels, the one added last lies on top.
    void addCoveringPanel(QWidget *panel);
    // False for a control that a shown covering panel covers.
    bool reachable(const QWidget *control) const;

    void showWindow(); // show, not modal, in front; a minimised window stays minimised
    void hideWindow(); // hide; controls and timers live on
    void minimize();   // WindowState := 1
    bool isMinimizedState() const;
    void stopTimers();
    void addTimer(Timer *timer) { timers_.push_back(timer); }

    // The user's close box: `cancel` refuses the close.
    std::function<void(bool &cancel)> onQueryUnload;
    // A double-click on the window's own background, not on a control or a panel.
    Handler onDblClick;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;
    bool focusNextPrevChild(bool next) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *coveringPanel() const; // the top one shown, or none
    void focusPanel(QWidget *panel, bool forward);
    Desktop &desktop_;
    QWidget *client_;
    QVBoxLayout *layout_;
    QMenuBar *menuBar_ = nullptr;
    CommandButton *defaultButton_ = nullptr;
    CommandButton *cancelButton_ = nullptr;
    std::vector<QWidget *> coveringPanels_; // from the bottom up
    QPointer<QWidget> focusBeforeCover_;
    std::vector<Timer *> timers_;
    bool startsIconic_ = false; // see changeEvent
};

// A window timer: while enabled, onTimer comes every interval. Changing the interval
// of an enabled timer restarts it, so the next tick comes one new interval later.
class Timer final : public QObject {
public:
    Timer(Window *window, int intervalMs, bool enabled);
    ~Timer() override;

    int interval() const { return interval_; }
    void setInterval(int ms);
    bool enabled() const { return enabled_; }
    void setEnabled(bool enabled);
    // Ties the ticks to the wall clock: each comes `afterMs` after a whole multiple of
    // the interval since midnight (for 1000 ms, just after each second begins), aimed
    // afresh at every tick, so a late or early tick never shifts the ones after it.
    void alignToClock(int afterMs);

    Handler onTimer;

private:
    void arm();
    std::unique_ptr<TimerBackend> backend_;
    int interval_;
    bool enabled_ = false;
    int alignAfterMs_ = -1; // not aligned
};

class MenuItem final : public QAction {
public:
    MenuItem(QObject *parent, const QString &caption, const QKeySequence &shortcut);
    Handler onClick;
};

// A top-level menu of the window's menu bar. While it is hidden the window has no
// menu bar, and its items do nothing at all.
class Menu final : public QObject {
public:
    Menu(Window *window, const QString &caption);

    MenuItem *addItem(const QString &caption, const QKeySequence &shortcut = {});
    bool isVisible() const;
    void setVisible(bool visible);

    // Adds the items, the first time the menu is shown: what is out of sight costs nothing
    // at start-up.
    Handler fill;

private:
    Window *window_;
    QMenu *menu_;
};

#pragma once

#include "widgets/event_context.h"

#include <QWidget>

#include <functional>

class CoveringPanels;
class Desktop;
class QMenuBar;
class QPushButton;
class QVBoxLayout;

// The base of every window: a fixed client area measured in twips where the controls
// live, an optional menu bar above it, Default (Enter) and Cancel (Esc) buttons, the
// close request and the double-click on the window's own background. Its events run in
// the program's event context.
class Window : public QWidget {
public:
    Window(Desktop &desktop, EventContext &events, const QString &caption, int clientWidth, int clientHeight);

    Desktop &desktop() const { return desktop_; }
    EventContext &events() const { return events_; }
    QWidget *client() const { return client_; }
    QMenuBar *menuBar();

    // The boxes the user's actions in this window open: over it, and owned by it.
    int showMessage(const QString &text, int style, const QString &title);
    QString askText(const QString &prompt, const QString &title);
    // A window that comes in its own time to warn the user (a timer opens it): it stays above
    // every other window until it is put away, and asks for attention when it is shown where
    // the system keeps it from the front.
    void setWarning();
    // Whether the user's actions reach this window's controls: while it is shown and no box
    // of the program blocks it. What a screen reader does goes the same way.
    bool takesUserActions() const;

    void setDefaultButton(QPushButton *button) { defaultButton_ = button; }
    void setCancelButton(QPushButton *button) { cancelButton_ = button; }

    // A panel of the client area that covers every other control of the window while it is
    // shown (covering_panel.h); of several, the one added last lies on top.
    void addCoveringPanel(QWidget *panel);
    // False for a control that a shown covering panel covers.
    bool reachable(const QWidget *control) const;

    void showWindow(); // show, not modal, in front; a minimised window stays minimised
    void hideWindow(); // hide; controls and timers live on
    void minimize();   // WindowState := 1
    bool isMinimizedState() const;

    // The user's close box: `cancel` refuses the close.
    std::function<void(bool &cancel)> onQueryUnload;
    // A double-click on the window's own background, not on a control or a panel.
    Handler onDblClick;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;
    bool focusNextPrevChild(bool next) override;

private:
    Desktop &desktop_;
    EventContext &events_;
    QWidget *client_;
    QVBoxLayout *layout_;
    QMenuBar *menuBar_ = nullptr;
    QPushButton *defaultButton_ = nullptr;
    QPushButton *cancelButton_ = nullptr;
    CoveringPanels *coveringPanels_;
    bool startsIconic_ = false; // see changeEvent
};

// Runs the handler of a user's event on a control (a click, a key, an edit) in the event
// context of the window the control is in; nothing runs while that window does not take the
// user's actions (takesUserActions()).
void runEvent(const QWidget *control, const Handler &handler);

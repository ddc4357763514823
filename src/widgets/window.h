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

// Runs a control's event handler in the event context of the window the control is in.
void runEvent(const QWidget *control, const Handler &handler);

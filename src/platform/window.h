#pragma once

#include "platform/controls.h"

#include <QWidget>

#include <functional>
#include <vector>

class Desktop;
class QMenuBar;
class QVBoxLayout;

// The base of every window: a fixed client area measured in twips where the controls
// live, an optional menu bar above it, Default (Enter) and Cancel (Esc) buttons, the
// close request and the double-click on the window's own background.
class Window : public QWidget {
public:
    Window(Desktop &desktop, const QString &caption, int clientWidth, int clientHeight);

    Desktop &desktop() const { return desktop_; }
    QWidget *client() const { return client_; }
    QMenuBar *menuBar();

    void setDefaultButton(CommandButton *button) { defaultButton_ = button; }
    void setCancelButton(CommandButton *button) { cancelButton_ = button; }

    void showWindow(); // show, not modal, in front; a minimised window stays minimised
    void hideWindow(); // hide; controls and timers live on
    void minimize();   // WindowState := 1
    bool isMinimizedState() const;

    void addTimer(Timer *timer) { timers_.push_back(timer); }
    void stopTimers();

    // The user's close box: `cancel` refuses the close.
    std::function<void(bool &cancel)> onQueryUnload;
    // A double-click on the window's own background, not on a control or a panel.
    Handler onDblClick;

    // While the desktop session ends, every close request is accepted.
    static void setSessionEnding(bool ending);
    static bool sessionEnding();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    Desktop &desktop_;
    QWidget *client_;
    QVBoxLayout *layout_;
    QMenuBar *menuBar_ = nullptr;
    CommandButton *defaultButton_ = nullptr;
    CommandButton *cancelButton_ = nullptr;
    std::vector<Timer *> timers_;
};

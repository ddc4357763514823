#include "widgets/window.h"

#include "core/desktop.h"
#include "widgets/covering_panel.h"
#include "widgets/look.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWindow>

namespace {

// The client area: reports double-clicks that land on no control.
class ClientArea final : public QWidget {
public:
    ClientArea(Window *window) : QWidget(window), window_(window) {}

protected:
    void mouseDoubleClickEvent(QMouseEvent *event) override
    {
        if (event->button() == Qt::LeftButton && !childAt(event->position().toPoint()))
            window_->events().run(window_->onDblClick);
    }

private:
    Window *window_;
};

bool usable(const QPushButton *button)
{
    return button && button->isVisible() && button->isEnabled();
}

} // namespace

void runEvent(const QWidget *control, const Handler &handler)
{
    const auto *window = dynamic_cast<const Window *>(control->window());
    if (window && window->takesUserActions())
        window->events().run(handler);
}

Window::Window(Desktop &desktop, EventContext &events, const QString &caption, int clientWidth,
               int clientHeight)
    : desktop_(desktop), events_(events), client_(new ClientArea(this)), layout_(new QVBoxLayout(this)),
      coveringPanels_(new CoveringPanels(this, client_))
{
    setWindowTitle(caption);
    // Its size is fixed: a title bar with minimise and close, nothing to maximise.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFont(faceFont(font(), {QStringLiteral("SimSun")}, 9));
    client_->setFixedSize(twipsToPixels(clientWidth), twipsToPixels(clientHeight));
    layout_->setContentsMargins(0, 0, 0, 0);
    layout_->setSpacing(0);
    layout_->setSizeConstraint(QLayout::SetFixedSize); // the window grows by the menu bar's height
    layout_->addWidget(client_);
}

QMenuBar *Window::menuBar()
{
    if (!menuBar_) {
        menuBar_ = new QMenuBar(this);
        menuBar_->setNativeMenuBar(false);
        menuBar_->hide();
        layout_->setMenuBar(menuBar_);
    }
    return menuBar_;
}

int Window::showMessage(const QString &text, int style, const QString &title)
{
    return desktop_.showMessage(text, style, title, this);
}

QString Window::askText(const QString &prompt, const QString &title)
{
    return desktop_.askText(prompt, title, this);
}

void Window::setWarning()
{
    setWindowFlag(Qt::WindowStaysOnTopHint);
}

bool Window::takesUserActions() const
{
    // A hidden window can still be reached by a screen reader, and one under a box too; the
    // user can see neither, so neither may start anything.
    const QWidget *box = QApplication::activeModalWidget();
    return isVisible() && (!box || box == this);
}

void Window::addCoveringPanel(QWidget *panel)
{
    coveringPanels_->add(panel);
}

bool Window::reachable(const QWidget *control) const
{
    return coveringPanels_->reachable(control);
}

bool Window::focusNextPrevChild(bool next)
{
    return coveringPanels_->moveFocus(next) || QWidget::focusNextPrevChild(next);
}

void Window::showWindow()
{
    if (startsIconic_ && !isMinimizedState() && isHidden() && windowHandle()) {
        // Telling the platform window "minimised", then "not", rewrites what it asks for at
        // its start; off screen, neither shows.
        windowHandle()->setWindowStates(Qt::WindowMinimized);
        windowHandle()->setWindowStates(Qt::WindowNoState);
        startsIconic_ = false;
    }
    show();
    if (isMinimizedState())
        return; // it stays minimised until the user restores it
    raise();
    activateWindow();
    if (windowFlags() & Qt::WindowStaysOnTopHint) {
        QApplication::alert(this); // where the system keeps it from the front: the task bar flashes
        QGuiApplication::sync();   // the request goes out now, not with the next event
    }
}

void Window::hideWindow()
{
    hide();
}

void Window::minimize()
{
    setWindowState(windowState() | Qt::WindowMinimized);
}

bool Window::isMinimizedState() const
{
    return windowState() & Qt::WindowMinimized;
}

void Window::keyPressEvent(QKeyEvent *event)
{
    const int key = event->key();
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && mods == Qt::NoModifier) {
        if (usable(defaultButton_) && reachable(defaultButton_))
            defaultButton_->click();
        return;
    }
    if (key == Qt::Key_Escape && mods == Qt::NoModifier) {
        if (usable(cancelButton_) && reachable(cancelButton_))
            cancelButton_->click();
        return;
    }
    QWidget::keyPressEvent(event);
}

void Window::closeEvent(QCloseEvent *event)
{
    if (desktop_.sessionEnding() || events_.ended()) {
        event->accept();
        return;
    }
    bool cancel = false;
    events_.run([&] {
        if (onQueryUnload)
            onQueryUnload(cancel);
    });
    event->setAccepted(!cancel);
}

void Window::changeEvent(QEvent *event)
{
    // Restored by the window manager (from the task bar, say), a window may still ask to start
    // iconic, as the program's last minimise told it (X11 does; the desktop knows); hidden and
    // shown again, it would come back minimised. It is put right the next time it is shown
    // (see showWindow).
    if (event->type() == QEvent::WindowStateChange) {
        const Qt::WindowStates old = static_cast<QWindowStateChangeEvent *>(event)->oldState();
        if (isMinimizedState())
            startsIconic_ = false; // as it should
        else if (old & Qt::WindowMinimized)
            startsIconic_ = desktop_.restoredWindowsStartIconic();
    }
    QWidget::changeEvent(event);
}

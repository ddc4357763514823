#include "platform/window.h"

#include "platform/desktop.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QVBoxLayout>

namespace {

// The client area: reports double-clicks that land on no control.
class ClientArea final : public QWidget {
public:
    ClientArea(Window *window) : QWidget(window), window_(window) {}

protected:
    void mouseDoubleClickEvent(QMouseEvent *event) override
    {
        if (event->button() == Qt::LeftButton && !childAt(event->position().toPoint()))
            runEvent(window_->onDblClick);
    }

private:
    Window *window_;
};

bool usable(const CommandButton *button)
{
    return button && button->isVisible() && button->isEnabled();
}

} // namespace

Window::Window(Desktop &desktop, const QString &caption, int clientWidth, int clientHeight)
    : desktop_(desktop), client_(new ClientArea(this)), layout_(new QVBoxLayout(this))
{
    setWindowTitle(caption);
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

void Window::showWindow()
{
    show();
    if (isMinimizedState())
        return; // it stays minimised until the user restores it
    raise();
    activateWindow();
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

void Window::stopTimers()
{
    for (Timer *timer : timers_)
        timer->setEnabled(false);
}

void Window::keyPressEvent(QKeyEvent *event)
{
    const int key = event->key();
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && mods == Qt::NoModifier) {
        if (usable(defaultButton_))
            defaultButton_->click();
        return;
    }
    if (key == Qt::Key_Escape && mods == Qt::NoModifier) {
        if (usable(cancelButton_))
            cancelButton_->click();
        return;
    }
    QWidget::keyPressEvent(event);
}

void Window::closeEvent(QCloseEvent *event)
{
    if (sessionEnding() || programEnded()) {
        event->accept();
        return;
    }
    bool cancel = false;
    runEvent([&] {
        if (onQueryUnload)
            onQueryUnload(cancel);
    });
    event->setAccepted(!cancel);
}

// --- Timer

Timer::Timer(Window *window, int intervalMs, bool enabled)
    : QObject(window), backend_(window->desktop().createTimer()), interval_(intervalMs)
{
    backend_->onFire = [this] { runEvent(onTimer); };
    window->addTimer(this);
    setEnabled(enabled);
}

Timer::~Timer() = default;

void Timer::setInterval(int ms)
{
    if (ms == interval_)
        return;
    interval_ = ms;
    if (enabled_)
        arm();
}

void Timer::setEnabled(bool enabled)
{
    if (enabled == enabled_)
        return;
    enabled_ = enabled;
    arm();
}

void Timer::alignToClock(int afterMs)
{
    alignAfterMs_ = afterMs;
    arm();
}

void Timer::arm()
{
    if (!enabled_ || interval_ <= 0)
        backend_->stop();
    else if (alignAfterMs_ >= 0)
        backend_->startAligned(interval_, alignAfterMs_);
    else
        backend_->start(interval_);
}

// --- Menu

MenuItem::MenuItem(QObject *parent, const QString &caption, const QKeySequence &shortcut)
    : QAction(caption, parent)
{
    setShortcut(shortcut);
    connect(this, &QAction::triggered, this, [this] { runEvent(onClick); });
}

Menu::Menu(Window *window, const QString &caption)
    : QObject(window), window_(window), menu_(window->menuBar()->addMenu(caption))
{}

MenuItem *Menu::addItem(const QString &caption, const QKeySequence &shortcut)
{
    auto *item = new MenuItem(menu_, caption, shortcut);
    menu_->addAction(item);
    return item;
}

bool Menu::isVisible() const
{
    return menu_->menuAction()->isVisible() && !window_->menuBar()->isHidden();
}

void Menu::setVisible(bool visible)
{
    menu_->menuAction()->setVisible(visible);
    window_->menuBar()->setVisible(visible);
}

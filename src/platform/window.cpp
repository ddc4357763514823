#include "platform/window.h"

#include "platform/desktop.h"

#include <QAccessibleWidget>
#include <QApplication>
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

// What assistive technology sees of a button of a window: a push button named by its
// caption, with its press action; the action is neither offered nor carried out while the
// button is disabled or lies under the window's covering panel.
class ButtonAccessible final : public QAccessibleWidget {
public:
    explicit ButtonAccessible(QPushButton *button) : QAccessibleWidget(button, QAccessible::Button) {}

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
            return button()->text().remove(QLatin1Char('&'));
        return QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.pressed = button()->isDown();
        s.defaultButton = button()->isDefault();
        return s;
    }
    QStringList actionNames() const override
    {
        QStringList names = QAccessibleWidget::actionNames();
        if (pressable())
            names.prepend(pressAction());
        return names;
    }
    void doAction(const QString &action) override
    {
        if (action != pressAction())
            QAccessibleWidget::doAction(action);
        else if (pressable())
            button()->click();
    }

private:
    QPushButton *button() const { return static_cast<QPushButton *>(widget()); }
    bool pressable() const
    {
        const auto *window = dynamic_cast<const Window *>(widget()->window());
        return widget()->isEnabled() && (!window || window->reachable(widget()));
    }
};

// A window of the program, as a screen reader sees it: a window named by its title (a
// plain top-level widget would be a "filler" with no name).
class WindowAccessible final : public QAccessibleWidget {
public:
    explicit WindowAccessible(Window *window) : QAccessibleWidget(window, QAccessible::Window) {}

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name)
            return widget()->windowTitle();
        return QAccessibleWidget::text(t);
    }
};

// Qt asks for a widget's accessible interface once and keeps it, and may ask while the
// widget is still being built, before it is a CommandButton: so every push button placed
// in a Window gets this one.
QAccessibleInterface *accessibleFor(const QString &, QObject *object)
{
    if (auto *window = dynamic_cast<Window *>(object))
        return new WindowAccessible(window);
    auto *button = qobject_cast<QPushButton *>(object);
    if (!button || !dynamic_cast<Window *>(button->window()))
        return nullptr;
    return new ButtonAccessible(button);
}

} // namespace

Window::Window(Desktop &desktop, const QString &caption, int clientWidth, int clientHeight)
    : desktop_(desktop), client_(new ClientArea(this)), layout_(new QVBoxLayout(this))
{
    // Before anything can ask for an accessible interface, which Qt keeps once made.
    static const bool accessible = [] {
        QAccessible::installFactory(accessibleFor);
        return true;
    }();
    Q_UNUSED(accessible);
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

// --- Covering panel

void Window::setCoveringPanel(QWidget *panel)
{
    coveringPanel_ = panel;
    // Focus and shortcuts go straight to the control they are meant for; only the
    // application sees them all first, so that is where the covered ones are held back.
    qApp->installEventFilter(this);
}

bool Window::covered() const
{
    return coveringPanel_ && coveringPanel_->isVisibleTo(this);
}

bool Window::reachable(const QWidget *control) const
{
    if (!covered() || !client_->isAncestorOf(control))
        return true;
    return control == coveringPanel_ || coveringPanel_->isAncestorOf(control) ||
           control->isAncestorOf(coveringPanel_);
}

bool Window::focusNextPrevChild(bool next)
{
    if (!covered())
        return QWidget::focusNextPrevChild(next);
    focusPanel(next);
    return true; // the focus never leaves the panel
}

// Moves the focus, in tab order, to the panel's next (or previous) control after the one
// that has it; from a control outside the panel, to the panel's first (or last) one.
void Window::focusPanel(bool forward)
{
    QWidget *from = focusWidget();
    if (!from || !reachable(from))
        from = coveringPanel_;
    QWidget *w = from;
    do {
        w = forward ? w->nextInFocusChain() : w->previousInFocusChain();
        if (coveringPanel_->isAncestorOf(w) && (w->focusPolicy() & Qt::TabFocus) && w->isVisibleTo(this) &&
            w->isEnabled()) {
            w->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return;
        }
    } while (w != from);
}

// Keys follow the focus, which never stays under the panel; shortcuts (mnemonics) go
// straight to their control, so those are dropped here.
bool Window::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (watched == coveringPanel_ && type == QEvent::ShowToParent) {
        // Shown over the control that has the focus: the focus moves onto the panel, and
        // back to that control when the panel hides.
        if (focusWidget() && !reachable(focusWidget())) {
            focusBeforeCover_ = focusWidget();
            focusPanel(true);
        }
        return false;
    }
    if (watched == coveringPanel_ && type == QEvent::HideToParent) {
        if (focusBeforeCover_ && focusBeforeCover_->isVisibleTo(this) && focusBeforeCover_->isEnabled())
            focusBeforeCover_->setFocus(Qt::OtherFocusReason);
        focusBeforeCover_ = nullptr;
        return false;
    }
    if ((type != QEvent::FocusIn && type != QEvent::Shortcut) || !watched->isWidgetType() ||
        reachable(static_cast<QWidget *>(watched)))
        return false;
    if (type == QEvent::FocusIn)
        focusPanel(static_cast<QFocusEvent *>(event)->reason() != Qt::BacktabFocusReason);
    return true; // dropped
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

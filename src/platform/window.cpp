#include "platform/window.h"

#include "platform/desktop.h"

#include <QAccessibleWidget>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QVBoxLayout>
#include <QWindow>

#include <algorithm>
#include <utility>

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

// Whether a control of a window can be pressed through assistive technology: not while it
// is disabled or lies under the window's covering panel.
bool pressable(const QWidget *control)
{
    const auto *window = dynamic_cast<const Window *>(control->window());
    return control->isEnabled() && (!window || window->reachable(control));
}

// What assistive technology sees of a button of a window: a push button named by its
// caption, with its press action while it is pressable.
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
        if (pressable(widget()))
            names.prepend(pressAction());
        return names;
    }
    void doAction(const QString &action) override
    {
        if (action != pressAction())
            QAccessibleWidget::doAction(action);
        else if (pressable(widget()))
            button()->click();
    }

private:
    QPushButton *button() const { return static_cast<QPushButton *>(widget()); }
};

// A label of a window: static text named by its caption, which labels its buddy; a label
// that acts on a click (the calculator's sign, a panel's "×") is pressed like a button.
class LabelAccessible final : public QAccessibleWidget {
public:
    explicit LabelAccessible(QLabel *label) : QAccessibleWidget(label, QAccessible::StaticText) {}

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
            return label()->text();
        return QAccessibleWidget::text(t);
    }
    QList<QPair<QAccessibleInterface *, QAccessible::Relation>>
    relations(QAccessible::Relation match) const override
    {
        auto related = QAccessibleWidget::relations(match);
        if ((match & QAccessible::Labelled) && label()->buddy())
            related.append({QAccessible::queryAccessibleInterface(label()->buddy()), QAccessible::Labelled});
        return related;
    }
    QStringList actionNames() const override
    {
        QStringList names = QAccessibleWidget::actionNames();
        if (clickable())
            names.prepend(pressAction());
        return names;
    }
    void doAction(const QString &action) override
    {
        if (action != pressAction())
            QAccessibleWidget::doAction(action);
        else if (clickable())
            runEvent(static_cast<Label *>(widget())->onClick);
    }

private:
    QLabel *label() const { return static_cast<QLabel *>(widget()); }
    bool clickable() const
    {
        const auto *control = dynamic_cast<const Label *>(widget()); // made once it is built
        return control && control->onClick && pressable(widget());
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
// widget is still being built, before it is a CommandButton or a Label: so every push
// button and every label placed in a Window gets one of these.
QAccessibleInterface *accessibleFor(const QString &, QObject *object)
{
    if (auto *window = dynamic_cast<Window *>(object))
        return new WindowAccessible(window);
    auto *widget = qobject_cast<QWidget *>(object);
    if (!widget || !dynamic_cast<Window *>(widget->window()))
        return nullptr;
    if (auto *button = qobject_cast<QPushButton *>(widget))
        return new ButtonAccessible(button);
    if (auto *label = qobject_cast<QLabel *>(widget))
        return new LabelAccessible(label);
    return nullptr;
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

void Window::changeEvent(QEvent *event)
{
    // Restored by the window manager (from the task bar, say), an X11 window still asks to
    // start iconic, as the program's last minimise told it; hidden and shown again, it would
    // come back minimised. It is put right the next time it is shown (see showWindow).
    if (event->type() == QEvent::WindowStateChange) {
        const Qt::WindowStates old = static_cast<QWindowStateChangeEvent *>(event)->oldState();
        if (isMinimizedState())
            startsIconic_ = false; // as it should
        else if (old & Qt::WindowMinimized)
            startsIconic_ = QGuiApplication::platformName() == QLatin1String("xcb");
    }
    QWidget::changeEvent(event);
}

// --- Covering panels

void Window::addCoveringPanel(QWidget *panel)
{
    coveringPanels_.push_back(panel);
    // Focus and shortcuts go straight to the control they are meant for; only the
    // application sees them all first, so that is where the covered ones are held back.
    if (coveringPanels_.size() == 1)
        qApp->installEventFilter(this);
}

QWidget *Window::coveringPanel() const
{
    for (auto it = coveringPanels_.rbegin(); it != coveringPanels_.rend(); ++it)
        if ((*it)->isVisibleTo(this))
            return *it;
    return nullptr;
}

bool Window::reachable(const QWidget *control) const
{
    QWidget *panel = coveringPanel();
    if (!panel || !client_->isAncestorOf(control))
        return true;
    return control == panel || panel->isAncestorOf(control) || control->isAncestorOf(panel);
}

bool Window::focusNextPrevChild(bool next)
{
    QWidget *panel = coveringPanel();
    if (!panel)
        return QWidget::focusNextPrevChild(next);
    focusPanel(panel, next);
    return true; // the focus never leaves the panel
}

// Moves the focus, in tab order, to the panel's next (or previous) control after the one
// that has it; from a control outside the panel, to the panel's first (or last) one; to
// the panel itself when none of its controls takes the focus.
void Window::focusPanel(QWidget *panel, bool forward)
{
    QWidget *from = focusWidget();
    if (!from || !reachable(from))
        from = panel;
    QWidget *w = from;
    do {
        w = forward ? w->nextInFocusChain() : w->previousInFocusChain();
        if (panel->isAncestorOf(w) && (w->focusPolicy() & Qt::TabFocus) && w->isVisibleTo(this) &&
            w->isEnabled()) {
            w->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return;
        }
    } while (w != from);
    if (!reachable(focusWidget()))
        panel->setFocus(Qt::OtherFocusReason);
}

// Keys follow the focus, which never stays under a panel; shortcuts (mnemonics) go
// straight to their control, so those are dropped here.
bool Window::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    const auto panel = std::find(coveringPanels_.begin(), coveringPanels_.end(), watched);
    if (panel != coveringPanels_.end() && type == QEvent::ShowToParent) {
        // Shown over the control that has the focus: the focus moves onto the panel, and
        // back to that control when the panel hides.
        if (focusWidget() && !reachable(focusWidget())) {
            focusBeforeCover_ = focusWidget();
            focusPanel(*panel, true);
        }
        return false;
    }
    if (panel != coveringPanels_.end() && type == QEvent::HideToParent) {
        if (focusBeforeCover_ && focusBeforeCover_->isVisibleTo(this) && focusBeforeCover_->isEnabled())
            focusBeforeCover_->setFocus(Qt::OtherFocusReason);
        focusBeforeCover_ = nullptr;
        return false;
    }
    if ((type != QEvent::FocusIn && type != QEvent::Shortcut) || !watched->isWidgetType() ||
        reachable(static_cast<QWidget *>(watched)))
        return false;
    if (type == QEvent::FocusIn)
        focusPanel(coveringPanel(), static_cast<QFocusEvent *>(event)->reason() != Qt::BacktabFocusReason);
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
    item->setEnabled(menu_->menuAction()->isVisible());
    menu_->addAction(item);
    return item;
}

bool Menu::isVisible() const
{
    return menu_->menuAction()->isVisible() && !window_->menuBar()->isHidden();
}

void Menu::setVisible(bool visible)
{
    if (visible && fill)
        std::exchange(fill, nullptr)();
    menu_->menuAction()->setVisible(visible);
    window_->menuBar()->setVisible(visible);
    // The items of a hidden menu do nothing, however they are reached: a key, a screen
    // reader's press, the program itself.
    for (QAction *item : menu_->actions())
        item->setEnabled(visible);
}

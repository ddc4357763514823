#include "widgets/accessibility.h"

#include "widgets/controls.h"
#include "widgets/window.h"

#include <QAccessibleWidget>

namespace {

// Whether a control of a window can be pressed through assistive technology: not while it
// is disabled or lies under the window's covering panel, nor while its window is hidden or
// blocked by a box.
bool pressable(const QWidget *control)
{
    const auto *window = dynamic_cast<const Window *>(control->window());
    return control->isEnabled() && (!window || (window->reachable(control) && window->takesUserActions()));
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
            runEvent(widget(), static_cast<Label *>(widget())->onClick);
    }

private:
    QLabel *label() const { return static_cast<QLabel *>(widget()); }
    bool clickable() const
    {
        const auto *control = dynamic_cast<const Label *>(widget()); // made once it is built
        return control && control->onClick && pressable(widget());
    }
};

// A check box of a window: ticked and unticked through its toggle action only while it is
// pressable, so its value never changes without its handler running.
class CheckBoxAccessible final : public QAccessibleWidget {
public:
    explicit CheckBoxAccessible(QCheckBox *box) : QAccessibleWidget(box, QAccessible::CheckBox) {}

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
            return box()->text();
        return QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.checkable = true;
        s.checked = box()->isChecked();
        return s;
    }
    QStringList actionNames() const override
    {
        QStringList names = QAccessibleWidget::actionNames();
        if (pressable(widget()))
            names.prepend(toggleAction());
        return names;
    }
    void doAction(const QString &action) override
    {
        if (action != toggleAction() && action != pressAction())
            QAccessibleWidget::doAction(action);
        else if (pressable(widget()))
            box()->click();
    }

private:
    QCheckBox *box() const { return static_cast<QCheckBox *>(widget()); }
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
// button, label and check box placed in a Window gets one of these.
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
    if (auto *box = qobject_cast<QCheckBox *>(widget))
        return new CheckBoxAccessible(box);
    return nullptr;
}

} // namespace

void installAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(accessibleFor);
        return true;
    }();
    Q_UNUSED(installed);
}

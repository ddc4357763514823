#include "widgets/menu.h"

#include "widgets/window.h"

#include <QMenu>
#include <QMenuBar>

#include <utility>

MenuItem::MenuItem(QObject *parent, Window *window, const char *name, const QString &caption,
                   const QKeySequence &shortcut)
    : QAction(caption, parent)
{
    setObjectName(QLatin1String(name));
    setShortcut(shortcut);
    connect(this, &QAction::triggered, this, [this, window] {
        if (window->takesUserActions())
            window->events().run(onClick);
    });
}

Menu::Menu(Window *window, const char *name, const QString &caption)
    : QObject(window), window_(window), menu_(window->menuBar()->addMenu(caption))
{
    setObjectName(QLatin1String(name));
    menu_->setObjectName(QLatin1String(name));
}

MenuItem *Menu::addItem(const char *name, const QString &caption, const QKeySequence &shortcut)
{
    auto *item = new MenuItem(menu_, window_, name, caption, shortcut);
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

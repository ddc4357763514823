#pragma once

#include "widgets/event_context.h"

#include <QAction>

class QMenu;
class Window;

class MenuItem final : public QAction {
public:
    // Chosen, it runs onClick while its window takes the user's actions.
    MenuItem(QObject *parent, Window *window, const char *name, const QString &caption,
             const QKeySequence &shortcut);
    Handler onClick;
};

// A top-level menu of the window's menu bar. While it is hidden the window has no
// menu bar, and its items do nothing at all.
class Menu final : public QObject {
public:
    Menu(Window *window, const char *name, const QString &caption);

    MenuItem *addItem(const char *name, const QString &caption, const QKeySequence &shortcut = {});
    bool isVisible() const;
    void setVisible(bool visible);

    // Adds the items, the first time the menu is shown: what is out of sight costs nothing
    // at start-up.
    Handler fill;

private:
    Window *window_;
    QMenu *menu_;
};

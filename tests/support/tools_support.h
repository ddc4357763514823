#pragma once

#include "app/form1.h"
#include "support/test_app.h"
#include "tools/tools.h"

#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

#include <gtest/gtest.h>

#include <utility>

// The main window past loading with the tools menu shown by the arrow button, numbers
// read and written as in the United States ("." decimal, "," thousands).
class ToolsTest : public ::testing::Test {
protected:
    TestApp app;
    Form1 &f1 = app.forms.form1();
    Tools &t = *f1.tools;

    void SetUp() override
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        app.finishLoading();
        QTest::mouseClick(f1.Command3, Qt::LeftButton);
        ASSERT_TRUE(f1.mnudgn->isVisible());
    }
    void TearDown() override { QLocale::setDefault(saved_); }

    // Opens the menu from the menu bar and clicks the item.
    void choose(MenuItem *item)
    {
        QMenuBar *bar = f1.menuBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(bar->actions().value(0)).center());
        auto *menu = qobject_cast<QMenu *>(item->parent());
        ASSERT_TRUE(QTest::qWaitFor([&] { return menu->isVisible(); }));
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(item).center());
    }

    // Presses a key combination on the main window, in front and active.
    void press(const QKeySequence &keys)
    {
        f1.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&f1));
        QTest::keySequence(&f1, keys);
    }

    // Replaces a box's text as a user does: select everything, delete, type.
    static void type(TextBox *box, const QString &text)
    {
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Delete);
        QTest::keyClicks(box, text);
    }

    // The panels that are open, as a text such as "Frame4".
    QString openPanels() const
    {
        const std::pair<Frame *, QString> panels[] = {
            {f1.Frame3, QStringLiteral("Frame3")},
            {f1.Frame4, QStringLiteral("Frame4")},
            {f1.Frame5, QStringLiteral("Frame5")},
        };
        QStringList open;
        for (const auto &[frame, name] : panels)
            if (frame->isVisibleTo(&f1))
                open << name;
        return open.join(u' ');
    }

private:
    QLocale saved_ = QLocale();
};

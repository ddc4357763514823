#include "forms/tools/tools.h"
#include "support/user_steps.h"

#include <QMenu>
#include <QMenuBar>

namespace {

// The main window past loading with the tools menu shown by the arrow button; numbers
// read and written as in the United States ("." decimal, "," thousands).
class ToolsTest : public ::testing::Test {
protected:
    TestApp app;
    Form1 &f1 = app.forms.form1();
    Tools &t = f1.tools();
    const QLocale saved = QLocale();

    void SetUp() override
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        app.finishLoading();
        QTest::mouseClick(f1.Command3, Qt::LeftButton);
    }
    void TearDown() override { QLocale::setDefault(saved); }

    // Opens the menu from the menu bar and clicks the item.
    void choose(MenuItem *item)
    {
        QMenuBar *bar = f1.menuBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(bar->actions().value(0)).center());
        auto *menu = qobject_cast<QMenu *>(item->parent());
        ASSERT_TRUE(QTest::qWaitFor([&] { return menu->isVisible(); }));
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(item).center());
    }
    // "3", "4", "5" for the open panels, by their frames' numbers, or the last box's title;
    // then everything is put away again.
    QString effect()
    {
        QString seen = app.desktop.messages.empty() ? QString() : app.desktop.messages.back().title;
        for (auto [frame, number] : {std::pair{f1.Frame3, '3'}, {f1.Frame4, '4'}, {f1.Frame5, '5'}}) {
            if (frame->isVisibleTo(&f1))
                seen += QLatin1Char(number);
            frame->hide();
        }
        app.desktop.messages.clear();
        return seen;
    }
};

// Each item opens its panel (only that one) or its box, from the menu and by its key; the
// keys are dead while the menu is hidden. Each panel keeps what it holds however it is
// closed (its "×", another panel, from outside as the lock does); opening one moves no focus.
TEST_F(ToolsTest, EachItemActsWhileTheMenuShowsAndEachPanelKeepsItsContents)
{
    const auto contents = [&] {
        return QStringList{t.Text2->text(),      t.Text4->text(), f1.Frame3->caption(), t.Text5->text(),
                           t.Label12->caption(), t.Text6->text(), t.Label15->caption()};
    };
    choose(t.mnujsq);
    typeOver(t.Text2, QStringLiteral("7"));
    QTest::mouseClick(t.Command11, Qt::LeftButton);
    choose(t.mnupdrn);
    QTest::mouseClick(t.Command12, Qt::LeftButton);
    choose(t.mnusx);
    QTest::keyClicks(t.Text6, QStringLiteral("abc"));
    QTest::mouseClick(t.Command13, Qt::LeftButton);
    for (auto [item, close] :
         {std::pair{t.mnujsq, t.Label11}, {t.mnupdrn, t.Label13}, {t.mnusx, t.Label14}}) {
        choose(item);
        QTest::mouseClick(close, Qt::LeftButton); // "×"
        EXPECT_EQ(effect(), QString());
    }
    const QStringList before = contents();
    EXPECT_EQ(before, (QStringList{"0", "0", "点击“+”切换", "1999", "不是闰年", "abc", "无法判断"}));
    const struct {
        MenuItem *Tools::*item;
        const char *keys, *effect;
    } items[] = {{&Tools::mnusx, "F1", "5"},
                 {&Tools::mnupdrn, "F2", "4"},
                 {&Tools::mnujsq, "F3", "3"},
                 {&Tools::mnufk, "Ctrl+Shift+F8", "提交成功"},
                 {&Tools::mnuxjq, "Ctrl+Shift+F7", "小技巧"},
                 {&Tools::mnubenzhus, "F12", "信息"}};
    f1.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&f1));
    for (bool menuShown : {true, false}) {
        for (const auto &i : items) {
            f1.Command1->setFocus();
            if (menuShown) {
                if (QChar(i.effect[0]).isDigit()) // another panel open: it goes
                    (i.effect[0] == '3' ? f1.Frame4 : f1.Frame3)->show();
                choose(t.*i.item);
                EXPECT_EQ(f1.focusWidget(), f1.Command1) << i.keys;
                EXPECT_EQ(effect(), QString::fromUtf8(i.effect)) << i.keys;
            }
            QTest::keySequence(&f1, QKeySequence(QString::fromLatin1(i.keys)));
            EXPECT_EQ(effect(), menuShown ? QString::fromUtf8(i.effect) : QString()) << i.keys;
        }
        QTest::mouseClick(f1.Command3, Qt::LeftButton); // hides the menu
    }
    EXPECT_EQ(contents(), before);
}

// Each row "left|sign|right|the three boxes afterwards", in turn; a row whose operation
// faults follows one with a result, which it must not leave beside its operands. A result
// shows from its beginning. Numbers are read in the user's locale.
TEST_F(ToolsTest, CalculatorComputesResetsBadOperandsAndEmptiesTheResultOnAFault)
{
    choose(t.mnujsq);
    // The sign steps round, empties the result and renames the panel; a double-click on the
    // panel's background, and only there, empties the three boxes.
    typeOver(t.Text2, QStringLiteral("7"));
    typeOver(t.Text3, QStringLiteral("2"));
    QStringList signs;
    for (int i = 0; i < 5; ++i) {
        QTest::mouseClick(t.Command11, Qt::LeftButton);
        QTest::mouseClick(t.Label10, Qt::LeftButton);
        signs << t.Label10->caption();
        EXPECT_EQ(t.Text4->text(), QString()) << "the sign empties the result";
        EXPECT_EQ(f1.Frame3->caption(), QStringLiteral("简易计算器")) << "the sign renames the panel";
    }
    EXPECT_EQ(signs, (QStringList{"-", "×", "/", "+", "-"}));
    userDoubleClick(t.Label10, QPoint(3, 3));
    EXPECT_EQ(t.Label10->caption(), QStringLiteral("×")) << "a double-click is one step";
    QTest::keyClicks(t.Text4, QStringLiteral("8"));
    EXPECT_EQ(t.Text4->text(), QString()) << "the result is not the user's to edit";
    QTest::mouseClick(t.Command11, Qt::LeftButton);
    for (QWidget *control : std::initializer_list<QWidget *>{t.Text2, t.Text4, t.Command11})
        userDoubleClick(control, QPoint(3, 3));
    EXPECT_EQ(QStringList({t.Text2->text(), t.Text3->text(), t.Text4->text()}),
              (QStringList{"7", "2", "14"}));
    userDoubleClick(f1.Frame3, QPoint(100, 56)); // under the row of boxes
    EXPECT_EQ(QStringList({t.Text2->text(), t.Text3->text(), t.Text4->text()}), (QStringList{"", "", ""}));
    EXPECT_EQ(t.Label10->caption(), QStringLiteral("×")) << "the sign stays";

    for (const char *row : {"7|+|2|7|2|9", "7|-|2|7|2|5", "7|×|2|7|2|14", "7|/|2|7|2|3.5", "8|/|0|8|0|",
                            "1|/|3|1|3|0.333333333333333", "0|/|0|0|0|", "7|/|2|7|2|3.5", "abc|/|5|0|0|",
                            "0.1|+|0.2|0.1|0.2|0.3", "|+|5|0|0|0", "5|+||0|0|0", "-5|-|-5|-5|-5|0",
                            "1e308|×|10|1e308|10|", "1e3|+|1|1e3|1|1001", "1,000|+|1|1,000|1|1001"}) {
        const QStringList r = QString::fromUtf8(row).split(u'|');
        typeOver(t.Text2, r[0]);
        typeOver(t.Text3, r[2]);
        for (int i = 0; i < 4 && t.Label10->caption() != r[1]; ++i)
            QTest::mouseClick(t.Label10, Qt::LeftButton);
        QTest::mouseClick(t.Command11, Qt::LeftButton);
        EXPECT_EQ(QStringList({t.Text2->text(), t.Text3->text(), t.Text4->text()}), r.mid(3)) << row;
        EXPECT_EQ(t.Text4->cursorPosition(), 0) << row;
    }
    EXPECT_TRUE(app.desktop.messages.empty()) << "faults are silent";
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); // "," decimal, "." thousands
    typeOver(t.Text2, QStringLiteral("1,5"));
    typeOver(t.Text3, QStringLiteral("1.000"));
    QTest::mouseClick(t.Command11, Qt::LeftButton);
    EXPECT_EQ(t.Text4->text(), QStringLiteral("1001,5"));
}

// Each year in turn, typed and judged, as "year:verdict": a verdict is green, and one
// that is no verdict (无法判断, 不是闰年) red; it never runs into the panel's "×".
void judgeAll(TextBox *box, CommandButton *judge, Label *verdict, Label *close, const QStringList &rows)
{
    for (const QString &row : rows) {
        typeOver(box, row.section(u':', 0, 0));
        QTest::mouseClick(judge, Qt::LeftButton);
        const QString expected = row.section(u':', 1);
        EXPECT_EQ(verdict->caption(), expected) << row.toStdString();
        const bool red = expected == QStringLiteral("无法判断") || expected == QStringLiteral("不是闰年");
        EXPECT_EQ(verdict->foreColor(), red ? Colour::Red : Colour::VerdictGreen) << row.toStdString();
        EXPECT_LT(verdict->geometry().right(), close->geometry().left()) << row.toStdString();
    }
}

// The year box's grey hint goes with a click into it (every click empties it). "1e308" and
// "12345" are cut to four characters by the box: "1e30", "1234". Then the zodiac animals.
TEST_F(ToolsTest, LeapYearAndZodiacVerdicts)
{
    choose(t.mnupdrn);
    EXPECT_EQ(t.Text5->text(), QStringLiteral("1999")) << "the hint";
    EXPECT_EQ(t.Text5->foreColor(), 0x808080) << "the hint is grey";
    QTest::mouseClick(t.Text5, Qt::LeftButton);
    EXPECT_EQ(t.Text5->text(), QString()) << "a click takes the hint away";
    EXPECT_EQ(t.Text5->foreColor(), 0) << "typing is black";
    judgeAll(t.Text5, t.Command12, t.Label12, t.Label13,
             {"1999:不是闰年", "2000:是闰年", "1900:不是闰年", "0:是闰年", "-100:不是闰年", "-400:是闰年",
              "4.5:是闰年", "5.5:不是闰年", "2.5:不是闰年", ":无法判断", "abc:无法判断", "12ab:无法判断",
              "-1e5:是闰年", "1e10:是闰年", "1e19:无法判断", "1e308:无法判断", "12345:不是闰年",
              "19996:不是闰年"});
    choose(t.mnusx);
    judgeAll(t.Text6, t.Command13, t.Label15, t.Label14,
             {"1999:兔", "2000:龙", "2008:鼠", "0:猴", "1:鸡", "12.5:猴", "13.5:狗", ":无法判断",
              "20ab:无法判断", "-1:羊", "-12:猴", "-11:鸡", "1e10:鼠", "1e99:无法判断"});
    EXPECT_EQ(f1.Frame4->caption(), QStringLiteral("闰年判断器"));
    EXPECT_EQ(f1.Frame5->caption(), QStringLiteral("十二生肖"));
}

// The tips and About boxes, then the feedback: only a bare "C" or "c" leads on to the offer
// of a message; Yes asks for it (kept or cancelled alike), No leaves the main window as it
// was. Each box as "title|style|its start".
TEST_F(ToolsTest, TipsAboutAndFeedbackBoxes)
{
    const auto boxes = [this] {
        QStringList all;
        for (const QString &p : std::exchange(app.desktop.prompts, {}))
            all << p.section(u'|', 0, 0);
        for (const auto &m : std::exchange(app.desktop.messages, {}))
            all << QStringLiteral("%1|%2|%3").arg(m.title).arg(m.style).arg(m.text.left(6));
        return all;
    };
    choose(t.mnuxjq);
    choose(t.mnubenzhus);
    EXPECT_EQ(boxes(),
              (QStringList{QStringLiteral("小技巧|0|本应用的小技"), QStringLiteral("信息|0|本程序应用安")}));
    const QString rating = QStringLiteral("用户反馈"), message = QStringLiteral("用户留言");
    const QString bye = QStringLiteral("提交成功|0|感谢您的评价"),
                  thanks = QStringLiteral("提交成功|0|感谢您的反馈");
    const QString offer = QStringLiteral("提交成功|36|感谢您的评价");
    const struct {
        const char *rating; // "" when cancelled
        int answer;         // to the offer
        QStringList boxes;
    } rows[] = {{"A", 0, {rating, bye}},
                {"C ", 0, {rating, bye}},
                {" c", 0, {rating, bye}},
                {"", 0, {rating, bye}},
                {"C", MsgResult::Yes, {rating, message, offer, thanks}},
                {"c", MsgResult::No, {rating, offer}}};
    for (const auto &r : rows) {
        app.desktop.answerText(QString::fromUtf8(r.rating));
        if (r.answer)
            app.desktop.answer(r.answer);
        choose(t.mnufk);
        EXPECT_EQ(boxes(), r.boxes) << r.rating;
        EXPECT_TRUE(f1.isVisible()) << r.rating;
        EXPECT_FALSE(f1.isMinimizedState()) << r.rating;
    }
}

} // namespace

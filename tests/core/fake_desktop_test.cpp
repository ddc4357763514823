#include "support/fake_desktop.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

namespace {

// A question that no test scripted an answer for fails the test that asked it, and gets the
// answer of a box closed without a choice; a box with OK only needs no script.
TEST(FakeDesktopBoxes, AnUnscriptedQuestionFailsTheTest)
{
    FakeDesktop desktop;
    const QString title = QStringLiteral("提示");
    EXPECT_EQ(desktop.showMessage(QStringLiteral("好了"), MsgStyle::Ok, title), MsgResult::Ok);
    const struct {
        int style, answer;
    } questions[] = {{MsgStyle::YesNoQuestion, MsgResult::No},
                     {MsgStyle::OkCancelQuestion, MsgResult::Cancel}};
    for (const auto &q : questions) {
        int result = 0;
        EXPECT_NONFATAL_FAILURE(result = desktop.showMessage(QStringLiteral("确定吗？"), q.style, title),
                                "unscripted box: 确定吗？");
        EXPECT_EQ(result, q.answer) << q.style;
    }
    desktop.answer(MsgResult::Yes);
    EXPECT_EQ(desktop.showMessage(QStringLiteral("确定吗？"), MsgStyle::YesNoQuestion, title),
              MsgResult::Yes);
    EXPECT_EQ(desktop.messages.size(), 4u);
}

} // namespace

#include "support/tools_support.h"

namespace {

class Calculator : public ToolsTest {
protected:
    void SetUp() override
    {
        ToolsTest::SetUp();
        choose(t.mnujsq);
    }
    // Clicks the sign until it reads `sign`.
    void pickSign(const QString &sign)
    {
        for (int i = 0; i < 4 && t.Label10->caption() != sign; ++i)
            QTest::mouseClick(t.Label10, Qt::LeftButton);
        ASSERT_EQ(t.Label10->caption(), sign);
    }
    // Types both operands, picks the sign and presses "=".
    void compute(const char *left, const char *sign, const char *right)
    {
        type(t.Text2, QString::fromUtf8(left));
        type(t.Text3, QString::fromUtf8(right));
        pickSign(QString::fromUtf8(sign));
        QTest::mouseClick(t.Command11, Qt::LeftButton);
    }
};

// One after another: a row whose operation faults leaves the result of the row before.
TEST_F(Calculator, ComputesResetsBadOperandsAndKeepsTheResultOnAFault)
{
    const struct {
        const char *left, *sign, *right;
        const char *leftAfter, *rightAfter, *result;
    } rows[] = {
        {"7", "+", "2", "7", "2", "9"},
        {"7", "-", "2", "7", "2", "5"},
        {"7", "×", "2", "7", "2", "14"},
        {"7", "/", "2", "7", "2", "3.5"},
        {"8", "/", "0", "8", "0", "3.5"},
        {"0", "/", "0", "0", "0", "3.5"},
        {"abc", "/", "5", "0", "0", "3.5"},
        {"1", "/", "3", "1", "3", "0.333333333333333"},
        {"0.1", "+", "0.2", "0.1", "0.2", "0.3"},
        {"", "+", "5", "0", "0", "0"},
        {"5", "+", "", "0", "0", "0"},
        {"-5", "-", "-5", "-5", "-5", "0"},
        {"abc", "×", "5", "0", "0", "0"},
        {"1e308", "×", "1", "1e308", "1", "1E+308"},
        {"1e308", "×", "10", "1e308", "10", "1E+308"},
        {"1e3", "+", "1", "1e3", "1", "1001"},
        {"1,000", "+", "1", "1,000", "1", "1001"},
        {" 2 ", "+", "1.5e1", " 2 ", "1.5e1", "17"},
    };
    for (const auto &r : rows) {
        compute(r.left, r.sign, r.right);
        const std::string row = std::string(r.left) + ' ' + r.sign + ' ' + r.right;
        EXPECT_EQ(t.Text2->text(), QString::fromUtf8(r.leftAfter)) << row;
        EXPECT_EQ(t.Text3->text(), QString::fromUtf8(r.rightAfter)) << row;
        EXPECT_EQ(t.Text4->text(), QString::fromUtf8(r.result)) << row;
    }
    EXPECT_TRUE(app.desktop.messages.empty()) << "faults are silent";
}

// Where "," is the decimal separator, an operand is read with it and so is the result.
TEST_F(Calculator, ReadsAndWritesTheLocalesNumbers)
{
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    compute("1,5", "+", "1.000");
    EXPECT_EQ(t.Text4->text(), QStringLiteral("1001,5"));
}

TEST_F(Calculator, TheSignCyclesEmptyingOnlyTheResult)
{
    compute("7", "+", "2");
    EXPECT_EQ(f1.Frame3->caption(), QStringLiteral("点击“+”切换"));
    QStringList signs;
    for (int i = 0; i < 5; ++i) {
        QTest::mouseClick(t.Label10, Qt::LeftButton);
        signs << t.Label10->caption();
        EXPECT_EQ(t.Text4->text(), QString()) << "click " << i;
        EXPECT_EQ(f1.Frame3->caption(), QStringLiteral("简易计算器")) << "click " << i;
        QTest::mouseClick(t.Command11, Qt::LeftButton);
    }
    EXPECT_EQ(signs, (QStringList{"-", "×", "/", "+", "-"}));
    EXPECT_EQ(t.Text2->text() + t.Text3->text(), QStringLiteral("72"));
    QTest::keyClicks(t.Text4, QStringLiteral("8"));
    EXPECT_EQ(t.Text4->text(), QStringLiteral("5")) << "the result is not the user's to edit";
}

// A double-click on the panel's own background empties the three boxes; on a control
// it does not.
TEST_F(Calculator, ADoubleClickOnTheBlankAreaEmptiesTheBoxes)
{
    compute("7", "×", "2");
    userDoubleClick(t.Text2, QPoint(5, 5));
    userDoubleClick(t.Command11, QPoint(5, 5));
    userDoubleClick(t.Label10, QPoint(3, 3)); // one click on the sign: "/"
    EXPECT_EQ(t.Text2->text() + t.Text3->text(), QStringLiteral("72"));
    EXPECT_EQ(t.Label10->caption(), QStringLiteral("/"));
    QTest::mouseClick(t.Command11, Qt::LeftButton);
    ASSERT_EQ(t.Text4->text(), QStringLiteral("3.5"));

    userDoubleClick(f1.Frame3, QPoint(100, 56)); // under the row of boxes
    EXPECT_EQ(t.Text2->text() + t.Text3->text() + t.Text4->text(), QString());
    EXPECT_EQ(t.Label10->caption(), QStringLiteral("/"));
    QTest::mouseClick(t.Command11, Qt::LeftButton);
    EXPECT_EQ(t.Text4->text(), QString()) << "0 / 0 writes nothing";
    pickSign(QStringLiteral("+"));
    QTest::mouseClick(t.Command11, Qt::LeftButton);
    EXPECT_EQ(t.Text4->text(), QStringLiteral("0"));
}

} // namespace

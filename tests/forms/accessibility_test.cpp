#include "forms/tools/tools.h"
#include "support/user_steps.h"

#include <QAccessible>
#include <QMessageBox>

namespace {

// What a screen reader is told about every window: the window by its title, every label,
// button, check box and menu item by its caption, a field or box by the label that stands
// for it, and the lock's field as a password field that gives nothing typed away.

// Walks the tree under `node`, checking each control and noting the names it meets.
void walk(QAccessibleInterface *node, QStringList &names, QStringList &faults)
{
    const QString name = node->text(QAccessible::Name);
    const QString role = QString::number(node->role());
    names << name;
    const QObject *object = node->object();
    if ((dynamic_cast<const Label *>(object) || dynamic_cast<const TextBox *>(object) ||
         dynamic_cast<const CommandButton *>(object) || dynamic_cast<const CheckBox *>(object) ||
         dynamic_cast<const ComboBox *>(object) || dynamic_cast<const Frame *>(object)) &&
        object->objectName().isEmpty())
        faults << QStringLiteral("%1 \"%2\" has no name").arg(role, name);
    QString shown; // a field or box has no caption of its own
    if (auto *label = qobject_cast<QLabel *>(node->object())) {
        shown = label->text();
        if (label->textFormat() != Qt::PlainText)
            faults << QStringLiteral("%1 \"%2\" may show its caption as markup").arg(role, name);
    } else if (auto *button = qobject_cast<QAbstractButton *>(node->object()))
        shown = button->text();
    else if (auto *action = qobject_cast<QAction *>(node->object()))
        shown = action->text();
    if (!shown.isEmpty() && name != shown)
        faults << QStringLiteral("%1 named \"%2\", shows \"%3\"").arg(role, name, shown);
    const auto *field = qobject_cast<QLineEdit *>(node->object());
    if (field && field->echoMode() == QLineEdit::Password) {
        const QString heard = name + node->text(QAccessible::Value) + node->textInterface()->text(0, 100);
        if (!node->state().passwordEdit || (!field->text().isEmpty() && heard.contains(field->text())))
            faults << QStringLiteral("the password field %1 gives its text away").arg(name);
    }
    for (int i = 0; i < node->childCount(); ++i)
        walk(node->child(i), names, faults);
}

TEST(Accessibility, EveryWindowAndControlIsNamedByWhatItShows)
{
    TestApp app;
    app.finishLoading();
    Form1 &f1 = app.forms.form1();
    QTest::mousePress(f1.Command3, Qt::LeftButton); // the menu shows
    f1.Frame3->setVisible(true);
    f1.Text1->setText(QStringLiteral("secret"));
    Form2 &f2 = openForm2(app);
    startCountdown(f2, "40");
    armPreset(f2, 1);
    app.desktop.advance(10000); // the reminder opens
    ASSERT_TRUE(app.forms.form4.exists());
    Form5 &f5 = app.forms.form5();
    QStringList names, faults;
    for (Window *w : std::initializer_list<Window *>{&f1, &f2, &app.forms.form4(), &f5}) {
        QAccessibleInterface *root = QAccessible::queryAccessibleInterface(w);
        EXPECT_EQ(root->role(), QAccessible::Window) << w->windowTitle().toStdString();
        EXPECT_EQ(root->text(QAccessible::Name), w->windowTitle());
        walk(root, names, faults);
    }
    EXPECT_EQ(faults, QStringList{});
    EXPECT_TRUE(names.contains(QStringLiteral("十二生肖"))) << "the menu's items";
    EXPECT_TRUE(QAccessible::queryAccessibleInterface(f1.Text1)->state().passwordEdit);

    // The fields that have a label are labelled by it (a screen reader names them so); the
    // calculator's, which have none, are named for what they hold, not by their panel.
    const struct {
        QWidget *field;
        const char *name;
    } fields[] = {{f2.Text1, "我需要"},
                  {f2.Combo1, "秒提醒我！"},
                  {f1.Text1, "密码："},
                  {f5.Text1, "时"},
                  {f5.Text2, "分"},
                  {f5.Text3, "秒"},
                  {f1.tools().Text2, "第一个数"},
                  {f1.tools().Text3, "第二个数"},
                  {f1.tools().Text4, "计算结果"}};
    for (const auto &f : fields) {
        QAccessibleInterface *field = QAccessible::queryAccessibleInterface(f.field);
        QStringList labels{field->text(QAccessible::Name)}; // the label, and the panel the field lies in
        for (const auto &relation : field->relations(QAccessible::Label))
            labels << relation.first->text(QAccessible::Name);
        EXPECT_TRUE(labels.contains(QString::fromUtf8(f.name)))
            << f.name << " " << ::testing::PrintToString(labels);
    }

    // A hidden window's controls offer no press and take none (the countdown window's
    // 取消关机 and "最后" behind the reminder; the main window's 关机2 and the calculator's sign
    // while it is hidden), nor do those of a window under a box.
    Tools &t = f1.tools();
    QMessageBox box;
    box.setWindowModality(Qt::ApplicationModal);
    auto pressed = [](QWidget *control, QMessageBox *box) {
        box ? box->show() : void();
        QAccessibleActionInterface *actions =
            QAccessible::queryAccessibleInterface(control)->actionInterface();
        const bool offered = actions->actionNames().contains(QAccessibleActionInterface::pressAction());
        actions->doAction(QAccessibleActionInterface::pressAction());
        box ? box->hide() : void();
        return offered;
    };
    for (QWidget *hidden : std::initializer_list<QWidget *>{f2.Command1, f2.check2, f1.Command7, t.Label10})
        EXPECT_FALSE(pressed(hidden, nullptr)) << hidden->objectName().toStdString();
    EXPECT_EQ(f2.Command1->caption(), QStringLiteral("取消关机")) << "the countdown still runs";
    EXPECT_EQ(f2.check2->value(), 1) << "the reminder still armed";
    EXPECT_FALSE(f5.isVisible()) << "the clock-time window stays away while a countdown runs";
    EXPECT_EQ(t.Label10->caption(), QStringLiteral("+"));
    f1.showWindow();
    EXPECT_FALSE(pressed(t.Label10, &box)) << "under a box";
    EXPECT_EQ(t.Label10->caption(), QStringLiteral("+"));

    // A label that acts on a click is pressed like a button: the calculator's sign steps on,
    // its "×" closes the panel. One that does not offers no press.
    EXPECT_FALSE(pressed(f1.Label5, nullptr)) << "the title, which acts on no click";
    for (Label *label : {t.Label10, t.Label11}) {
        QAccessibleActionInterface *actions = QAccessible::queryAccessibleInterface(label)->actionInterface();
        ASSERT_TRUE(actions && actions->actionNames().contains(QAccessibleActionInterface::pressAction()));
        actions->doAction(QAccessibleActionInterface::pressAction());
    }
    EXPECT_EQ(t.Label10->caption(), QStringLiteral("-"));
    EXPECT_FALSE(f1.Frame3->isVisible());
}

} // namespace

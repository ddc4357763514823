#include "app/form1.h"
#include "clocktime/form5.h"
#include "support/countdown_support.h"

#include <QAccessible>
#include <QMenuBar>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdio>

namespace {

// What a screen reader is told about every window: the window by its title, every
// label, button, check box and menu item by its caption, a field or box by the label
// that stands for it, and the lock's field as a password field.

QString roleName(QAccessible::Role role)
{
    switch (role) {
    case QAccessible::Window: return QStringLiteral("window");
    case QAccessible::StaticText: return QStringLiteral("label");
    case QAccessible::Button: return QStringLiteral("button");
    case QAccessible::CheckBox: return QStringLiteral("check box");
    case QAccessible::ComboBox: return QStringLiteral("combo box");
    case QAccessible::EditableText: return QStringLiteral("field");
    case QAccessible::Grouping: return QStringLiteral("panel");
    case QAccessible::MenuBar: return QStringLiteral("menu bar");
    case QAccessible::PopupMenu: return QStringLiteral("menu");
    case QAccessible::MenuItem: return QStringLiteral("menu item");
    case QAccessible::Client: return QStringLiteral("client");
    default: return QStringLiteral("role %1").arg(int(role));
    }
}

// The caption a control shows, as a screen reader should name it; empty for a field or
// box, which takes its name from a label.
QString caption(QObject *object)
{
    if (auto *label = qobject_cast<QLabel *>(object))
        return label->text();
    if (auto *button = qobject_cast<QAbstractButton *>(object))
        return button->text();
    if (auto *action = qobject_cast<QAction *>(object))
        return action->text();
    return {};
}

// Walks the tree under `node`, checking each control and writing one line per node.
void walk(QAccessibleInterface *node, int depth, QString &dump, QStringList &faults)
{
    const QString name = node->text(QAccessible::Name);
    const QAccessible::State state = node->state();
    dump += QString(depth * 2, u' ') + roleName(node->role()) + QStringLiteral(" \"") +
            QString(name).replace(u'\n', QStringLiteral("\\n")) + u'"' +
            (state.invisible ? QStringLiteral(" (hidden)") : QString()) +
            (state.passwordEdit ? QStringLiteral(" (password)") : QString()) + u'\n';
    QObject *object = node->object();
    const QString shown = caption(object);
    if (!shown.isEmpty() && name != shown)
        faults << QStringLiteral("%1 named \"%2\", shows \"%3\"").arg(roleName(node->role()), name, shown);
    if (auto *field = qobject_cast<QLineEdit *>(object)) {
        if (field->echoMode() == QLineEdit::Password &&
            (!state.passwordEdit ||
             (!field->text().isEmpty() &&
              (node->text(QAccessible::Value).contains(field->text()) || name.contains(field->text())))))
            faults << QStringLiteral("the password field %1 gives its text away").arg(name);
    }
    for (int i = 0; i < node->childCount(); ++i)
        walk(node->child(i), depth + 1, dump, faults);
}

QString checkWindow(Window &window, QStringList &faults)
{
    QAccessibleInterface *root = QAccessible::queryAccessibleInterface(&window);
    EXPECT_EQ(root->role(), QAccessible::Window) << window.windowTitle().toStdString();
    EXPECT_EQ(root->text(QAccessible::Name), window.windowTitle());
    QString dump;
    walk(root, 0, dump, faults);
    return dump;
}

TEST(Accessibility, EveryWindowAndControlIsNamedByWhatItShows)
{
    TestApp app;
    app.finishLoading();
    Form1 &f1 = app.forms.form1();
    QTest::mousePress(f1.Command3, Qt::LeftButton); // the menu shows
    f1.Frame3->setVisible(true);
    f1.Text1->setText(QStringLiteral("secret"));
    QStringList faults;
    const QString form1Tree = checkWindow(f1, faults);

    Form2 &f2 = openForm2(app);
    startCountdown(f2, "40");
    armPreset(f2, 1);
    app.desktop.advance(10000); // the reminder opens
    ASSERT_TRUE(app.forms.form4.exists());
    Form5 &f5 = app.forms.form5();
    for (Window *w : std::initializer_list<Window *>{&f2, &app.forms.form4(), &f5})
        checkWindow(*w, faults);
    EXPECT_EQ(faults, QStringList{});

    // The fields that have a label are labelled by it (a screen reader names them so).
    const struct {
        QWidget *field;
        const char *name;
    } fields[] = {{f2.Text1, "我需要"}, {f2.Combo1, "秒提醒我！"}, {f1.Text1, "密码："},
                  {f5.Text1, "时"},     {f5.Text2, "分"},          {f5.Text3, "秒"}};
    for (const auto &f : fields) {
        QStringList labels; // the label, and the panel the field lies in
        for (const auto &relation :
             QAccessible::queryAccessibleInterface(f.field)->relations(QAccessible::Label))
            labels << relation.first->text(QAccessible::Name);
        EXPECT_TRUE(labels.contains(QString::fromUtf8(f.name)))
            << f.name << " " << ::testing::PrintToString(labels);
    }
    EXPECT_TRUE(QAccessible::queryAccessibleInterface(f1.Text1)->state().passwordEdit);
    EXPECT_TRUE(form1Tree.contains(QStringLiteral("menu item \"十二生肖\""))) << form1Tree.toStdString();

    if (qEnvironmentVariableIsSet("MORVANE_ACCESSIBLE_DUMP"))
        std::fputs(form1Tree.toUtf8().constData(), stdout);
}

} // namespace

#include "widgets/combo_box.h"

#include "widgets/look.h"

#include <QLineEdit>

ComboBox::ComboBox(QWidget *parent, const char *name, int left, int top, int width, int height)
    : QComboBox(parent), EventSource(this)
{
    setObjectName(QLatin1String(name));
    // When an edit finishes (Enter, Tab, a click elsewhere) and the typed text equals an
    // entry, QComboBox selects that entry and reports it as activated. Typed text is not a
    // pick: the first and last slots on editingFinished bracket QComboBox's own one
    // (slots run in the order they were connected), and an activation inside is ignored.
    auto *edit = new QLineEdit(this);
    connect(edit, &QLineEdit::editingFinished, this, [this] { finishingEdit_ = true; });
    setEditable(true);
    setLineEdit(edit);
    connect(edit, &QLineEdit::editingFinished, this, [this] { finishingEdit_ = false; });
    setInsertPolicy(QComboBox::NoInsert);
    setCompleter(nullptr);
    setEditText(QString());
    placeTwips(*this, left, top, width, height);
    connect(this, &QComboBox::activated, this, [this](int index) {
        if (finishingEdit_)
            return;
        listIndex_ = index;
        raiseEvent(onClick);
    });
    connect(lineEdit(), &QLineEdit::textEdited, this, [this] {
        listIndex_ = -1;
        raiseEvent(onChange);
    });
}

void ComboBox::addItem(const QString &item)
{
    const QString kept = currentText();
    QComboBox::addItem(item);
    if (currentText() != kept) { // the first entry would otherwise fill the box
        setCurrentIndex(-1);
        setEditText(kept);
    }
}

void ComboBox::setText(const QString &text)
{
    if (text == currentText())
        return;
    listIndex_ = -1;
    setEditText(text);
    if (onChange)
        onChange();
}

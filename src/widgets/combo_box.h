#pragma once

#include "widgets/event_source.h"

#include <QComboBox>

// An editable combo box. Click: the user picked an entry (ListIndex >= 0).
// Change: the text was typed or set by the program (ListIndex -1).
class ComboBox final : public QComboBox, private EventSource {
public:
    ComboBox(QWidget *parent, const char *name, int left, int top, int width, int height);

    void addItem(const QString &item); // the text in the box stays as it is
    int listIndex() const { return listIndex_; }
    QString text() const { return currentText(); }
    void setText(const QString &text); // runs onChange when the text changes

    Handler onClick;
    Handler onChange;

private:
    int listIndex_ = -1;
    bool finishingEdit_ = false;
};

#pragma once

#include "widgets/event_source.h"

#include <QCheckBox>

// A check box: Value 1 when ticked, 0 when not; the user's tick and the program's setValue
// both run onClick.
class CheckBox final : public QCheckBox, private EventSource {
public:
    CheckBox(QWidget *parent, const char *name, const QString &caption, int left, int top, int width,
             int height);

    int value() const { return isChecked() ? 1 : 0; }
    void setValue(int value); // runs onClick when the value changes

    Handler onClick;

protected:
    bool hitButton(const QPoint &pos) const override { return rect().contains(pos); } // the whole control
};

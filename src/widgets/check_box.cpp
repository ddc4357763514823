#include "widgets/check_box.h"

#include "widgets/look.h"

CheckBox::CheckBox(QWidget *parent, const char *name, const QString &caption, int left, int top, int width,
                   int height)
    : QCheckBox(caption, parent), EventSource(this)
{
    setObjectName(QLatin1String(name));
    placeTwips(*this, left, top, width, height);
    connect(this, &QCheckBox::toggled, this, [this] { raiseEvent(onClick); });
}

void CheckBox::setValue(int value)
{
    assign([&] { setChecked(value != 0); });
}

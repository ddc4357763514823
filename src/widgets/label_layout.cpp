#include "widgets/label_layout.h"

#include "widgets/look.h"

#include <QWidget>

#include <algorithm>

int leftClearOf(const QWidget &before, int leftTwips, int gapTwips)
{
    return std::max(twipsToPixels(leftTwips), before.geometry().right() + 1 + twipsToPixels(gapTwips));
}

void growToHold(QWidget &control)
{
    const int margin = twipsToPixels(120);
    QWidget *child = &control;
    for (QWidget *parent = child->parentWidget(); parent && !parent->isWindow();
         child = parent, parent = parent->parentWidget()) {
        const int needed = child->geometry().right() + 1 + margin;
        if (needed <= parent->width())
            return;
        if (parent->minimumWidth() == parent->maximumWidth())
            parent->setFixedWidth(needed);
        else
            parent->resize(needed, parent->height());
    }
}

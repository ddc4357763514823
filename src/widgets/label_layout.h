#pragma once

class QWidget;

// The rule that keeps a label clear of the one before it on its line ("秒后关闭！" after a
// growing count, "%" after the loading count): the label stands at its own Left or, when the
// one before has grown into it, `gapTwips` after that one's right edge. Returns the x, in
// pixels, where it stands.
int leftClearOf(const QWidget &before, int leftTwips, int gapTwips);

// Widens the containers of a control that reaches past their right edge, up to the
// window's client area (whose fixed size the window follows).
void growToHold(QWidget &control);

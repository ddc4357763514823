#pragma once

// Installs what assistive technology (a screen reader) sees of the program's windows: each
// window a window named by its title, each button and label by its caption, with a press
// action where it acts on a click and is neither disabled nor covered. Call it once, before
// the first window is made: Qt asks for a widget's accessible interface once and keeps it.
void installAccessibility();

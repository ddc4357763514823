#pragma once

#include "widgets/window.h"

// A window of the program, as the registry (forms.h) makes and watches it: the base of Form1,
// Form2, Form4 and Form5, between the control layer's Window and the windows themselves.
class FormWindow : public Window {
public:
    using Window::Window;

    // Runs once, right after the window is created; windows that load something override it.
    virtual void Form_Load() {}
    // True while this window has a timed shutdown waiting to happen.
    virtual bool timedShutdownPending() const { return false; }
};

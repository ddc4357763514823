#pragma once

#include "forms/form_window.h"
#include "widgets/event_context.h"

#include <functional>
#include <memory>
#include <vector>

class Desktop;
class Forms;

// One window of the program: created on first reference, which runs its Form_Load, and
// kept until it is unloaded; the next reference then creates it afresh.
class FormSlot {
public:
    explicit FormSlot(Forms &forms);
    FormSlot(const FormSlot &) = delete;
    FormSlot &operator=(const FormSlot &) = delete;

    bool exists() const { return bool(window_); }
    FormWindow *window() const { return window_.get(); }
    void unload(); // its timers stop and it is destroyed

protected:
    Forms &forms_;
    std::unique_ptr<FormWindow> window_;
};

template <class W> class Form final : public FormSlot {
public:
    using FormSlot::FormSlot;

    W &operator()()
    {
        if (!window_) {
            window_ = std::make_unique<W>(forms_);
            window_->Form_Load();
        }
        return static_cast<W &>(*window_);
    }
};

// The windows of the program. The program ends only through end().
class Forms {
    // Declared before the windows, which register themselves here as they are made.
    Desktop &desktop_;
    std::function<void()> quit_;
    EventContext events_;
    std::vector<FormSlot *> slots_;
    bool keptAwake_ = false;
    friend class FormSlot;

public:
    Forms(Desktop &desktop, std::function<void()> quit);
    ~Forms();

    Desktop &desktop() const { return desktop_; }
    EventContext &events() { return events_; }
    void start(); // Form1 loaded and shown
    // Ends the program at once: every timer stops, every window hides, no handler runs
    // afterwards.
    void end();

private:
    // The computer is kept awake exactly while a window has a timed shutdown pending;
    // checked after every event.
    void keepAwakeWhilePending();

public:
    // One line per window; `class` declares the window's type here.
    Form<class Form1> form1{*this};
    Form<class Form2> form2{*this};
    Form<class Form4> form4{*this};
    Form<class Form5> form5{*this};
};

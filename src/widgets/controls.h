#pragma once

// The control layer: thin adapters that give Qt widgets the behaviour the window
// logic is written against. A program assignment that changes a caption, text or
// value runs the control's handler nested, before the assignment returns; an
// assignment that changes nothing runs nothing. Positions are in twips. Every control
// carries the name the window gives it ("Command5") as its object name. Each control has a
// file of its own; the windows include them all through this one.

#include "widgets/check_box.h"
#include "widgets/combo_box.h"
#include "widgets/command_button.h"
#include "widgets/frame.h"
#include "widgets/label.h"
#include "widgets/line.h"
#include "widgets/look.h"
#include "widgets/text_box.h"

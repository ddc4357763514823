#!/usr/bin/env bash
# With a window manager: the close box minimises the main window; restored from the task bar
# (the window manager's own restore), it opens the countdown window with 关机1, and "返回"
# brings it back on screen, not minimised again.
source "$(dirname "$0")/lib.sh"
sandbox_wm
start_program
shown() { xwininfo -id "$1" 2>/dev/null | grep -q IsViewable; }
minimised() { ! shown "$1"; }
python3 "$(dirname "$0")/close_request.py" "$Form1" || fail "could not send a close request"
wait_until minimised "$Form1" || fail "the close box did not minimise the main window"
xdotool windowactivate "$Form1" # what a click on its task bar entry asks of the window manager
wait_until shown "$Form1" || fail "the window manager could not restore the main window"
sleep 0.5 # the window manager maps it, then places it
open_countdown
keys "$Form2" Escape # 返回
wait_until shown "$Form1" || fail "返回 left the main window minimised"
expect_calls
say "closed, restored by the window manager, then 关机1 and 返回: the main window is on screen"

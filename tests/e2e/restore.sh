#!/usr/bin/env bash
# A click on the close box the window manager draws minimises the main window rather than
# ending the program; restored as a task bar restores it (_NET_ACTIVE_WINDOW), it shows again,
# and after 关机1, 返回 (Escape) brings it back on screen, not minimised.
# shellcheck source=SCRIPTDIR/lib.sh
source "$(dirname "$0")/lib.sh"
start_program
shown() { xwininfo -id "$Form1" | grep -q IsViewable; }
minimised() { ! shown; }
close_box "$Form1"
within 5 minimised || fail "the close box did not minimise the main window"
kill -0 "$pid" || fail "the close box ended the program"
xdotool windowactivate "$Form1"
within 5 shown || fail "the main window was not restored"
within 5 loaded || fail "the restored main window was not drawn again"
click Form1 Command5
Form2=$(within 10 window Morvane) || fail "关机1 opened no countdown window"
within 5 focused "$Form2" || fail "the countdown window did not take the keyboard focus"
within 5 minimised || fail "the main window stayed beside the countdown window"
xdotool key Escape
within 5 shown || fail "返回 left the main window minimised"
[ ! -s "$calls" ] || fail "something was launched"
echo "$name: the close box minimised the main window; restored, then 关机1 and 返回: it shows"

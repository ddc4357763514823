#!/usr/bin/env bash
# 关机1, then 9 and Return typed as the countdown window opens (it takes the keyboard focus,
# its entry field first), the details opened and the reminder set at 7: the reminder window
# comes above every window, fixed in size, and the shutdown comes once, 9 seconds later.
# shellcheck source=SCRIPTDIR/lib.sh
source "$(dirname "$0")/lib.sh"
start_program
click Form1 Command5
Form2=$(within 10 window Morvane) || fail "关机1 opened no countdown window"
within 5 focused "$Form2" || fail "the countdown window did not take the keyboard focus"
xdotool type 9
xdotool key Return
started=$(date +%s.%N)
click Form2 Check1
click Form2 Combo1
xdotool type 7
click Form2 check2
reminder_above() { [ "$(facts Morvane)" = "above fixed " ]; }
within 6 reminder_above || fail "the reminder does not stay above every window: $(facts Morvane)"
within 10 launched_any || fail "no shutdown within 10 s"
delay=$(awk -v s="$started" '{ printf "%.2f", $1 - s }' "$calls")
awk -v d="$delay" 'BEGIN { exit !(d > 8.5 && d < 10) }' || fail "launched after ${delay} s, not about 9 s"
sleep 1.5
[ "$(launched)" = "$shutdown_line" ] || fail "expected the one line: $shutdown_line"
echo "$name: a countdown of 9 s, its reminder above every window, launched $shutdown_line once, after $delay s"

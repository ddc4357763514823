#!/usr/bin/env bash
# 关机1, then 3 and Return typed as the countdown window opens (it takes the keyboard focus,
# its entry field first): the shutdown comes once, 3 seconds later.
# shellcheck source=SCRIPTDIR/lib.sh
source "$(dirname "$0")/lib.sh"
start_program
click Form1 Command5
Form2=$(within 10 window Morvane) || fail "关机1 opened no countdown window"
within 5 focused "$Form2" || fail "the countdown window did not take the keyboard focus"
xdotool type 3
xdotool key Return
started=$(date +%s.%N)
within 8 launched_any || fail "no shutdown within 8 s"
delay=$(awk -v s="$started" '{ printf "%.2f", $1 - s }' "$calls")
awk -v d="$delay" 'BEGIN { exit !(d > 2.5 && d < 4) }' || fail "launched after ${delay} s, not about 3 s"
sleep 1.5
[ "$(launched)" = "$shutdown_line" ] || fail "expected the one line: $shutdown_line"
echo "$name: a countdown typed as 3 s launched $shutdown_line once, after $delay s"

#!/usr/bin/env bash
# A countdown that fires at its second, and one that is cancelled and never fires.
source "$(dirname "$0")/lib.sh"
start_program
open_countdown
type_text "$Form2" 3
focus "$Form2"
started=$(date +%s.%N)
xdotool key Return # 确定
wait_calls 1 6 || fail "no shutdown within 6 s"
delay=$(awk -v s="$started" 'NR == 1 { printf "%.2f", $1 - s }' "$calls")
awk -v d="$delay" 'BEGIN { exit !(d > 2.5 && d < 4.0) }' || fail "launched after ${delay}s, not about 3 s"
sleep 1.5
expect_calls "$shutdown_line"
say "a 3-second countdown launched $shutdown_line once, ${delay} s after the start"

keys "$Form2" Return # 取消关机: the fired countdown is cancelled
click Form2 Text1    # back into the entry field
type_text "$Form2" 5
keys "$Form2" Return # a new 5-second countdown
wait_until shows Form2 red Frame1 || fail "the new countdown does not count"
keys "$Form2" Return # 取消关机 before it fires
sleep 6
expect_calls "$shutdown_line"
say "a cancelled countdown launched nothing"

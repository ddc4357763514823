#!/usr/bin/env bash
# A countdown with a typed reminder: the reminder window opens at its figure, the countdown
# window hiding; dismissed, the countdown window comes back and fires once.
source "$(dirname "$0")/lib.sh"
start_program
open_countdown
type_text "$Form2" 9
keys "$Form2" Return
click Form2 Check1 # 查看详情
click Form2 Combo1 # the reminder seconds
type_text "$Form2" 4
click Form2 check2 # 最后
reminder_alone() { # the one window titled Morvane on screen, not the countdown window
    Form4=$(xdotool search --onlyvisible --name '^Morvane$' || true)
    [ -n "$Form4" ] && [ "$(wc -l <<< "$Form4")" -eq 1 ] && [ "$Form4" != "$Form2" ]
}
retry 80 reminder_alone || fail "not the reminder alone on screen: [$Form4]; the countdown is $Form2"
click Form4 Command1 # 知道了
countdown_back() { [ "$(find_window '^Morvane$')" = "$Form2" ]; }
retry 20 countdown_back || fail "the countdown window did not come back"
wait_calls 1 8 || fail "no shutdown"
sleep 1
expect_calls "$shutdown_line"
say "the reminder opened, the countdown window hid, came back when it was dismissed and fired once"

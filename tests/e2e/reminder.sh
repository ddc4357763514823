#!/usr/bin/env bash
# A countdown with a typed reminder: the reminder window opens at its figure, the countdown
# window hiding; dismissed, the countdown window comes back and fires once.
source "$(dirname "$0")/lib.sh"
start_program
open_countdown
type_text "$countdown" 7
keys "$countdown" Return
click_twips "$countdown" 240 2400 1215 255 # 查看详情
click_twips "$countdown" 960 3480 855 300  # the reminder seconds
type_text "$countdown" 4
click_twips "$countdown" 240 3510 735 255 # 最后
reminder_alone() { # the one window titled Morvane on screen, not the countdown window
    reminder=$(xdotool search --onlyvisible --name '^Morvane$' || true)
    [ -n "$reminder" ] && [ "$(wc -l <<< "$reminder")" -eq 1 ] && [ "$reminder" != "$countdown" ]
}
sleep 3
retry 20 reminder_alone || fail "not the reminder alone on screen: [$reminder]; the countdown is $countdown"
click_twips "$reminder" 1200 1500 1215 375 # 知道了
countdown_back() { [ "$(find_window '^Morvane$')" = "$countdown" ]; }
retry 20 countdown_back || fail "the countdown window did not come back"
wait_calls 1 6 || fail "no shutdown"
sleep 1
expect_calls "$shutdown_line"
say "the reminder opened, the countdown window hid, came back when it was dismissed and fired once"

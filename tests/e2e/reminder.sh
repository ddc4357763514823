#!/usr/bin/env bash
# A countdown with a typed reminder: the reminder window opens at its figure and counts
# with the countdown; dismissed, the countdown window comes back and fires once.
source "$(dirname "$0")/lib.sh"
start_program

click_twips "$main" 2160 1200 615 375 # 关机1
countdown=$(wait_window '^Morvane$' 5) || fail "the countdown window did not open"
type_text "$countdown" 7
keys "$countdown" Return
click_twips "$countdown" 240 2400 1215 255 # 查看详情
click_twips "$countdown" 960 3480 855 300  # the reminder seconds
type_text "$countdown" 4
click_twips "$countdown" 240 3510 735 255  # 最后
sleep 3.2
reminder=$(wait_window '^Morvane$' 2) || fail "no reminder window"
[ "$reminder" != "$countdown" ] || fail "the countdown window is still the one shown"
no_window '^Morvane$' || [ "$(xdotool search --onlyvisible --name '^Morvane$' | wc -l)" -eq 1 ] ||
    fail "the countdown window did not hide"
say "the reminder opened and the countdown window hid"
click_twips "$reminder" 1200 1500 1215 375 # 知道了
sleep 0.5
[ "$(wait_window '^Morvane$' 2)" = "$countdown" ] || fail "the countdown window did not come back"
wait_calls 1 6 || fail "no shutdown"
sleep 1
expect_calls "systemctl poweroff"
say "dismissed, the countdown came back and launched systemctl poweroff once"

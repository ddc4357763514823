#!/usr/bin/env bash
# Immediate actions from the main window: a cancelled and a confirmed shutdown, a restart,
# a log-off. Each confirmed one launches its line exactly once; the window stays.
source "$(dirname "$0")/lib.sh"
start_program

click_twips "$main" 720 1680 1215 375 # 关机
answer_box 提示 Escape                 # Cancel
sleep 0.5
expect_calls

click_twips "$main" 720 1680 1215 375 # 关机
answer_box 提示 Return                 # OK is the default
wait_calls 1 3 || fail "no shutdown after OK"
expect_calls "systemctl poweroff"

click_twips "$main" 720 1200 615 375 # 重启
answer_box 提示 Return
wait_calls 2 3 || fail "no restart after OK"

click_twips "$main" 1320 1200 615 375 # 注销
answer_box 提示 Return
wait_calls 3 3 || fail "no log-off after OK"
sleep 0.5
expect_calls "systemctl poweroff" "systemctl reboot" "loginctl terminate-session e2e7"
alive || fail "the program ended"
wait_window '^Morvane_V1.0$' 1 >/dev/null || fail "the main window went away"
say "cancel launched nothing; shutdown, restart and log-off launched once each"

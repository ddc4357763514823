#!/usr/bin/env bash
# "退出" answered Yes ends the program at once; a pending countdown dies with it.
source "$(dirname "$0")/lib.sh"
start_program

click_twips "$main" 2160 1200 615 375 # 关机1
countdown=$(wait_window '^Morvane$' 5) || fail "the countdown window did not open"
type_text "$countdown" 4
keys "$countdown" Return
keys "$countdown" Escape # 返回
sleep 0.5
click_twips "$main" 2160 1680 1215 375 # 退出
answer_box 提示 Escape                   # No
sleep 0.3
alive || fail "No ended the program"
click_twips "$main" 2160 1680 1215 375
answer_box 提示 Return                   # Yes, the default
for _ in $(seq 40); do alive || break; sleep 0.05; done
alive && fail "the program is still running after Yes"
wait "$pid"; rc=$?; pid=
[ "$rc" -eq 0 ] || fail "exit status $rc"
sleep 4
expect_calls
say "Yes ended the program (status 0); the pending countdown never fired"

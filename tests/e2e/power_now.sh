#!/usr/bin/env bash
# Immediate actions from the main window: a cancelled and a confirmed shutdown, a restart, a
# log-off. Each confirmed one launches its line exactly once; the window stays.
source "$(dirname "$0")/lib.sh"
start_program
click Form1 Command1 # 关机
answer_box 提示 Escape # Cancel
sleep 0.5
expect_calls
# OK is each box's default. 关机, 重启, 注销:
for button in Command1 Command2 Command8; do
    n=$(( $(wc -l < "$calls") + 1 ))
    click Form1 $button
    answer_box 提示 Return
    wait_calls "$n" 3 || fail "nothing launched by $button"
done
sleep 0.5
expect_calls "$shutdown_line" "$restart_line" "$logoff_line"
wait_window '^Morvane_V1.0$' 1 >/dev/null || fail "the main window went away"
say "cancel launched nothing; shutdown, restart and log-off launched once each"

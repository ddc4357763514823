#!/usr/bin/env bash
# "退出" answered No keeps the program; Yes ends it at once, and a pending countdown with it.
source "$(dirname "$0")/lib.sh"
start_program
open_countdown
type_text "$Form2" 4
keys "$Form2" Return
keys "$Form2" Escape # 返回
wait_window '^Morvane_V1.0$' >/dev/null || fail "返回 did not bring the main window back"
for answer in Escape Return; do # No, then Yes (the default)
    click Form1 Command4        # 退出
    answer_box 提示 $answer
done
ended() { ! alive; }
retry 20 ended || fail "the program is still running after Yes"
wait "$pid" && rc=0 || rc=$?
pid=
[ "$rc" -eq 0 ] || fail "exit status $rc"
sleep 4
expect_calls
say "No kept the program; Yes ended it (status 0) and the pending countdown never fired"

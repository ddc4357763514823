#!/usr/bin/env bash
# "退出" answered No keeps the program; Yes ends it at once, and a pending countdown with it.
source "$(dirname "$0")/lib.sh"
start_program
open_countdown
type_text "$countdown" 4
keys "$countdown" Return
keys "$countdown" Escape # 返回
sleep 0.5
for answer in Escape Return; do            # No, then Yes (the default)
    click_twips "$main" 2160 1680 1215 375 # 退出
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

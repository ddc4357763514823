#!/usr/bin/env bash
# 关机, then Return on the box (确定 is its default): the program launches the system's
# shutdown line exactly once, as the system's own tool takes it, and stays. Then 退出 and
# Return on its box (是 is its default): the process ends at once, with status 0.
# shellcheck source=SCRIPTDIR/lib.sh
source "$(dirname "$0")/lib.sh"
start_program
click Form1 Command1
answer 提示 Return
within 5 launched_any || fail "nothing launched"
sleep 1 # any second launch would come by now
[ "$(launched)" = "$shutdown_line" ] || fail "expected the one line: $shutdown_line"
kill -0 "$pid" || fail "the program ended"
click Form1 Command4
answer 提示 Return
ended() { ! kill -0 "$pid" 2>/dev/null; }
within 10 ended || fail "the program still runs after 是"
wait "$pid" && status=0 || status=$?
[ "$status" -eq 0 ] || fail "exit status $status"
[ "$(launched)" = "$shutdown_line" ] || fail "退出 launched something"
echo "$name: 关机 launched $shutdown_line once; 是 ended the program with status 0"

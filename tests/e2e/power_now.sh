#!/usr/bin/env bash
# 关机, then Return on the box (确定 is its default): the program launches the system's
# shutdown line exactly once, as the system's own tool takes it, and stays.
# shellcheck source=SCRIPTDIR/lib.sh
source "$(dirname "$0")/lib.sh"
start_program
click Form1 Command1
answer 提示 Return
within 5 launched_any || fail "nothing launched"
sleep 1 # any second launch would come by now
[ "$(launched)" = "$shutdown_line" ] || fail "expected the one line: $shutdown_line"
kill -0 "$pid" || fail "the program ended"
echo "$name: 关机 launched $shutdown_line once"

#!/usr/bin/env bash
# 退出, then Return on the box (是 is its default): the process ends at once, with status 0.
# shellcheck source=SCRIPTDIR/lib.sh
source "$(dirname "$0")/lib.sh"
start_program
click Form1 Command4
answer 提示 Return
ended() { ! kill -0 "$pid" 2>/dev/null; }
within 10 ended || fail "the program still runs after 是"
wait "$pid" && status=0 || status=$?
[ "$status" -eq 0 ] || fail "exit status $status"
[ ! -s "$calls" ] || fail "something was launched"
echo "$name: 是 ended the program with status 0"

#!/usr/bin/env bash
# A time of day a few seconds ahead: the shutdown comes in exactly that second, once.
source "$(dirname "$0")/lib.sh"
start_program
click Form1 Command7 # 关机2
Form5=$(wait_window '^Morvane$') || fail "the clock-time window did not open"
target=$(( $(date +%s) + 6 ))
# Its hours, Tab, minutes, Tab, seconds, Return (确定), a key at a time.
# shellcheck disable=SC2046 # one key a word
keys "$Form5" $(date -d "@$target" +'%H Tab %M Tab %S Return' | sed -E 's/([0-9])/\1 /g')
[ "$(date +%s)" -lt "$target" ] || fail "typing the time took too long"
while [ "$(date +%s)" -le $(( target + 2 )) ]; do sleep 0.2; done
alive || fail "the program ended while the time was set"
expect_calls "$shutdown_line"
read -r at _ < "$calls"
[ "${at%.*}" -eq "$target" ] || fail "launched at $at, not in the second $target"
say "$shutdown_line launched once, in the second $(date -d "@$target" +%T)"

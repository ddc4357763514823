#!/usr/bin/env bash
# A time of day a few seconds ahead: the shutdown comes in exactly that second, once.
source "$(dirname "$0")/lib.sh"
start_program

click_twips "$main" 2760 1200 615 375 # 关机2
clocktime=$(wait_window '^Morvane$' 5) || fail "the clock-time window did not open"
target=$(( $(date +%s) + 6 ))
type_text "$clocktime" "$(date -d "@$target" +%H)"
keys "$clocktime" Tab
type_text "$clocktime" "$(date -d "@$target" +%M)"
keys "$clocktime" Tab
type_text "$clocktime" "$(date -d "@$target" +%S)"
keys "$clocktime" Return # 确定
[ "$(date +%s)" -lt "$target" ] || fail "typing the time took too long"
say "shutdown set for $(date -d "@$target" +%T)"
while [ "$(date +%s)" -le $(( target + 2 )) ]; do sleep 0.2; done
alive || fail "the program ended while the time was set"
expect_calls "systemctl poweroff"
read -r at _ < "$work/calls.log"
[ "${at%.*}" -eq "$target" ] || fail "launched at $at, not in the second $target"
say "$(printf 'systemctl poweroff launched once, %.0f ms after %s began' \
    "$(awk -v a="$at" -v t="$target" 'BEGIN { print (a - t) * 1000 }')" "$(date -d "@$target" +%T)")"

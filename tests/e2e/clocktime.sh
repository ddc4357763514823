#!/usr/bin/env bash
# A time of day a few seconds ahead: the shutdown comes in exactly that second, once.
source "$(dirname "$0")/lib.sh"
start_program
click_twips "$main" 2760 1200 615 375 # 关机2
clocktime=$(wait_window '^Morvane$') || fail "the clock-time window did not open"
target=$(( $(date +%s) + 6 ))
for part in H M S; do
    type_text "$clocktime" "$(date -d "@$target" +%$part)"
    keys "$clocktime" "$([ $part = S ] && echo Return || echo Tab)" # Return: 确定
done
[ "$(date +%s)" -lt "$target" ] || fail "typing the time took too long"
while [ "$(date +%s)" -le $(( target + 2 )) ]; do sleep 0.2; done
alive || fail "the program ended while the time was set"
expect_calls "$shutdown_line"
read -r at _ < "$work/calls.log"
[ "${at%.*}" -eq "$target" ] || fail "launched at $at, not in the second $target"
say "$shutdown_line launched once, in the second $(date -d "@$target" +%T)"

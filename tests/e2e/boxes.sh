#!/usr/bin/env bash
# A double-click on 重启 or 注销 opens one box and answers nothing, although its second click
# lands on the box's 确定 (the same two clicks 0.9 s apart do answer it). A box of the main
# window is owned by it; neither can be maximised.
# shellcheck source=SCRIPTDIR/lib.sh
source "$(dirname "$0")/lib.sh"
start_program
[ "$(facts Morvane_V1.0)" = "normal fixed " ] || fail "the main window is not of a fixed size: $(facts Morvane_V1.0)"
for button in Command2 Command8; do
    read -r x y w _ <<< "${layout[Form1 $button]}"
    xdotool mousemove --window "$Form1" $((x + w / 2)) $((y + 3)) click --repeat 2 --delay 250 1
    within 10 window 提示 > /dev/null || fail "a double-click on $button opened no box"
    sleep 1
    ! launched_any || fail "a double-click on $button answered its box"
    [ "$(facts 提示)" = "normal fixed Morvane_V1.0" ] || fail "not a fixed box owned by the main window: $(facts 提示)"
    xdotool key Escape
    sleep 0.5
    xdotool mousemove --window "$Form1" $((x + w / 2)) $((y + 3)) click 1 sleep 0.9 click 1
    within 5 launched_any || fail "the second click did not land on 确定: the double-click proved nothing"
    : > "$calls"
done

echo "$name: double-clicks on 重启 and 注销 answered nothing; the boxes are owned by the main window"

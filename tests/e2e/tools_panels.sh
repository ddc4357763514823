#!/usr/bin/env bash
# The three tool panels in use: "↓" shows the menu; each panel is opened through it, used and
# closed with its "×", then opened again by its function key and shows what it showed; with
# the menu hidden the function keys open nothing. Nothing is ever launched.
source "$(dirname "$0")/lib.sh"
start_program
# Each panel's first box, white while the panel is open, and its "×": the calculator's, the
# leap-year checker's and the zodiac finder's (Frame3, Frame4, Frame5), by function key.
declare -A box=([F3]=Text2 [F2]=Text5 [F1]=Text6) close=([F3]=Label11 [F2]=Label13 [F1]=Label14)
click Form1 Command3 # ↓
wait_until menu_bar_shown || fail "↓ did not show the menu bar"

opened_by() { wait_until shows Form1 white "${box[$1]}" || fail "$2 opened no panel"; } # key how
# The verdict or the animal is painted in its panel, green (0xC000) or red, and nothing else
# there is either (the dark red "×" leaves a stray pixel or two).
verdict_is() { # colour panel
    local other=red
    [ "$1" = red ] && other=green
    wait_until shows Form1 "$1" "$2" || fail "no $1 verdict"
    ! shows Form1 "$other" "$2" || fail "some $other beside the $1 verdict"
}
# The calculator's result, read as a user copies it: a click into the box, Ctrl+A, Ctrl+C.
# The clipboard holds a marker first, so a copy that does not happen is not taken for one.
clipboard() { xclip -o -selection clipboard 2>/dev/null; }
copied() { [ "$(clipboard)" != marker ]; }
result_is() {
    echo marker | xclip -selection clipboard >/dev/null 2>&1
    click Form1 Text4
    keys "$Form1" ctrl+a ctrl+c
    retry 30 copied || true
    [ "$(clipboard)" = "$1" ] || fail "the calculator's result is [$(clipboard)], not $1"
}
close_panel() { # key
    click Form1 "${close[$1]}"
    wait_until lacks Form1 white "${box[$1]}" || fail "${close[$1]} did not close its panel"
}
judge() { # year box button
    click Form1 "$2" # a click empties it
    keys "$Form1" ctrl+a
    type_text "$Form1" "$1"
    click Form1 "$3" # 判断
}

# The calculator: 7 × 2, then 7 / 2, the left operand first. The two clicks on the sign,
# "-" then "×", are 10 pixels apart, never taken for a double-click however close in time.
menu_item 2 # 简易计算器
opened_by F3 "the menu's 简易计算器"
click Form1 Text2
type_text "$Form1" 7
click Form1 Label10 0 -5
click Form1 Label10 0 5
click Form1 Text3
type_text "$Form1" 2
click Form1 Command11 # =
result_is 14
click Form1 Label10 0 -5 # the sign: "/"
click Form1 Command11
result_is 3.5
close_panel F3
# The leap-year checker: 2024 is a leap year (green), 1900 is not (red).
menu_item 1
opened_by F2 "the menu's 判断闰年"
judge 2024 Text5 Command12
verdict_is green Frame4
judge 1900 Text5 Command12
verdict_is red Frame4
close_panel F2
# The zodiac finder: letters cannot be judged (red); 2024 has its animal (green).
menu_item 0
opened_by F1 "the menu's 十二生肖"
judge abc Text6 Command13
verdict_is red Frame5
judge 2024 Text6 Command13
verdict_is green Frame5
close_panel F1
say "through the menu: 7 × 2 = 14, 7 / 2 = 3.5; 2024 a leap year, 1900 not; abc no animal, 2024 one"

# Each again by its function key, showing what it showed when it was closed.
keys "$Form1" F3
opened_by F3 F3
result_is 3.5
close_panel F3
for panel in F2:red:Frame4 F1:green:Frame5; do
    IFS=: read -r key colour frame <<< "$panel"
    keys "$Form1" "$key"
    opened_by "$key" "$key"
    verdict_is "$colour" "$frame"
    close_panel "$key"
done
click Form1 Command3 # ↑ hides the menu, and its function keys with it
wait_until menu_bar_hidden || fail "↑ did not hide the menu bar"
keys "$Form1" F3 F2 F1
sleep 0.5
for key in F3 F2 F1; do
    lacks Form1 white "${box[$key]}" || fail "$key opened a panel with the menu hidden"
done
[ -z "$(other_windows)" ] || fail "a window opened: $(other_windows)"
alive || fail "the program ended"
expect_calls
say "F3, F2 and F1 reopened each panel as it was; with the menu hidden they opened nothing"

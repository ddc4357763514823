#!/usr/bin/env bash
# The three tool panels in use: "↓" shows the menu; each panel is opened through it, used and
# closed with its "×", then opened again by its function key and shows what it showed; with
# the menu hidden the function keys open nothing. Nothing is ever launched.
source "$(dirname "$0")/lib.sh"
start_program
# In twips (the menu bar adds its height above them): inside the first text box of whichever
# panel is open, white while one is; where the leap-year verdict and the zodiac's animal are
# painted, green (0xC000) or red, right of the other controls and left of the "×".
tool_box=(300 660 450 240)
verdict=(2580 570 1125 480)
click_twips "$main" 0 0 615 210 # ↓
wait_until menu_bar_shown || fail "↓ did not show the menu bar"
dy=$(menu_bar_height)

opened_by() { wait_until shows "$main" white "${tool_box[@]}" "$dy" || fail "$* opened no panel"; }
verdict_is() { # colour, and none of the other
    local other=red
    [ "$1" = red ] && other=green
    wait_until shows "$main" "$1" "${verdict[@]}" "$dy" || fail "no $1 verdict"
    lacks "$main" "$other" "${verdict[@]}" "$dy" || fail "some $other beside the $1 verdict"
}
# The calculator's result, read as a user copies it: a click into the box, Ctrl+A, Ctrl+C.
# The clipboard holds a marker first, so a copy that does not happen is not taken for one.
clipboard() { xclip -o -selection clipboard 2>/dev/null; }
copied() { [ "$(clipboard)" != marker ]; }
result_is() {
    echo marker | xclip -selection clipboard >/dev/null 2>&1
    click_twips "$main" 2880 600 855 375 "$dy"
    keys "$main" ctrl+a ctrl+c
    retry 30 copied || true
    [ "$(clipboard)" = "$1" ] || fail "the calculator's result is [$(clipboard)], not $1"
}
close_panel() { # the × at left top width height
    click_twips "$main" "$@" "$dy"
    wait_until lacks "$main" white "${tool_box[@]}" "$dy" || fail "× at $1 $2 did not close its panel"
}
judge() { # year judge-button-width
    click_twips "$main" 240 600 1215 375 "$dy" # the year; a click empties it
    keys "$main" ctrl+a
    type_text "$main" "$1"
    click_twips "$main" 1560 600 "$2" 375 "$dy" # 判断
}

# The calculator: 7 × 2, then 7 / 2, the left operand first. The two clicks on the sign,
# "-" then "×", are 13 pixels apart, never taken for a double-click however close in time.
menu_item 2 # 简易计算器
opened_by "the menu's 简易计算器"
click_twips "$main" 120 600 735 375 "$dy" # the left operand
type_text "$main" 7
click_twips "$main" 960 640 165 100 "$dy"
click_twips "$main" 960 840 165 100 "$dy"
click_twips "$main" 1320 600 855 375 "$dy" # the right operand
type_text "$main" 2
click_twips "$main" 2280 600 495 375 "$dy" # =
result_is 14
click_twips "$main" 960 640 165 100 "$dy" # the sign: "/"
click_twips "$main" 2280 600 495 375 "$dy"
result_is 3.5
close_panel 3752 330 165 150
# The leap-year checker: 2024 is a leap year (green), 1900 is not (red).
menu_item 1
opened_by "the menu's 判断闰年"
judge 2024 735
verdict_is green
judge 1900 735
verdict_is red
close_panel 3750 470 165 255
# The zodiac finder: letters cannot be judged (red); 2024 has its animal (green).
menu_item 0
opened_by "the menu's 十二生肖"
judge abc 855
verdict_is red
judge 2024 855
verdict_is green
close_panel 3750 470 165 255
say "through the menu: 7 × 2 = 14, 7 / 2 = 3.5; 2024 a leap year, 1900 not; abc no animal, 2024 one"

# Each again by its function key, showing what it showed when it was closed.
keys "$main" F3
opened_by F3
result_is 3.5
close_panel 3752 330 165 150
for panel in F2:red F1:green; do
    keys "$main" "${panel%:*}"
    opened_by "${panel%:*}"
    verdict_is "${panel#*:}"
    close_panel 3750 470 165 255
done
click_twips "$main" 0 0 615 210 "$dy" # ↑ hides the menu, and its function keys with it
wait_until menu_bar_hidden || fail "↑ did not hide the menu bar"
keys "$main" F3 F2 F1
sleep 0.5
lacks "$main" white "${tool_box[@]}" || fail "a function key opened a panel with the menu hidden"
[ -z "$(other_windows)" ] || fail "a window opened: $(other_windows)"
alive || fail "the program ended"
expect_calls
say "F3, F2 and F1 reopened each panel as it was; with the menu hidden they opened nothing"

#!/usr/bin/env bash
# The three tool panels in use: "↓" shows the menu; each panel is opened through it, used
# and closed with its "×", then opened again by its function key and shows what it showed;
# with the menu hidden the function keys open nothing. Nothing is ever launched.
source "$(dirname "$0")/lib.sh"
start_program

# Areas of the client area, in twips (the menu bar adds its height above them):
# inside the first text box of whichever panel is open, white while one is;
tool_box=(300 660 450 240)
# where the leap-year verdict (Label12) and the zodiac's animal (Label15) are painted,
# green (0xC000) or red; right of the other controls, left of the "×".
verdict=(2580 570 1125 480)

click_twips "$main" 0 0 615 210 # ↓
wait_until menu_bar_shown || fail "↓ did not show the menu bar"
dy=$(menu_bar_height)
say "↓ showed the menu bar ($dy px)"

panel_open() { wait_until shows "$main" white "${tool_box[@]}" "$dy"; }
panel_closed() { wait_until lacks "$main" white "${tool_box[@]}" "$dy"; }
verdict_is() { # colour: shown in it, and none of the other
    local other=red
    [ "$1" = red ] && other=green
    wait_until shows "$main" "$1" "${verdict[@]}" "$dy" &&
        lacks "$main" "$other" "${verdict[@]}" "$dy"
}
# The calculator's result box, copied as a user would.
result() { field_text "$main" 2880 600 855 375 "$dy"; }

# --- The calculator: 7 × 2, then 7 / 2, the left operand first.
menu_item 2 # 简易计算器
panel_open || fail "the menu did not open the calculator"
click_twips "$main" 120 600 735 375 "$dy" # the left operand
type_text "$main" 7
# Two clicks on the sign, "-" then "×": 13 pixels apart, so that they are never taken
# for a double-click however close in time they come.
click_twips "$main" 960 640 165 100 "$dy"
click_twips "$main" 960 840 165 100 "$dy"
click_twips "$main" 1320 600 855 375 "$dy" # the right operand
type_text "$main" 2
click_twips "$main" 2280 600 495 375 "$dy" # =
got=$(result)
[ "$got" = 14 ] || fail "7 × 2 gave [$got]"
click_twips "$main" 960 640 165 100 "$dy" # the sign: "/"
click_twips "$main" 2280 600 495 375 "$dy"
got=$(result)
[ "$got" = 3.5 ] || fail "7 / 2 gave [$got]"
click_twips "$main" 3752 330 165 150 "$dy" # × (Label11)
panel_closed || fail "× did not close the calculator"
say "calculator: 7 × 2 = 14, 7 / 2 = 3.5 (read from its result box), × closed it"

# --- The leap-year checker: 2024 is one (green), 1900 is not (red).
menu_item 1 # 判断闰年
panel_open || fail "the menu did not open the leap-year checker"
click_twips "$main" 240 600 1215 375 "$dy" # the year; a click empties it
type_text "$main" 2024
click_twips "$main" 1560 600 735 375 "$dy" # 判断
verdict_is green || fail "2024 was not judged a leap year (green)"
click_twips "$main" 240 600 1215 375 "$dy"
type_text "$main" 1900
click_twips "$main" 1560 600 735 375 "$dy"
verdict_is red || fail "1900 was not judged a common year (red)"
click_twips "$main" 3750 470 165 255 "$dy" # × (Label13)
panel_closed || fail "× did not close the leap-year checker"
say "leap year: 2024 green, 1900 red, × closed it"

# --- The zodiac finder: letters cannot be judged (red); 2024 has its animal (green).
menu_item 0 # 十二生肖
panel_open || fail "the menu did not open the zodiac finder"
click_twips "$main" 240 600 1215 375 "$dy" # the year
type_text "$main" abc
click_twips "$main" 1560 600 855 375 "$dy" # 判断
verdict_is red || fail "abc was not answered 无法判断 (red)"
click_twips "$main" 240 600 1215 375 "$dy"
keys "$main" ctrl+a
type_text "$main" 2024
click_twips "$main" 1560 600 855 375 "$dy"
verdict_is green || fail "2024 got no animal (green)"
click_twips "$main" 3750 470 165 255 "$dy" # × (Label14)
panel_closed || fail "× did not close the zodiac finder"
say "zodiac: abc red, 2024 green, × closed it"

# --- Each again by its function key, showing what it showed when it was closed: the
# result 3.5; the leap-year checker's red; the zodiac finder's green.
keys "$main" F3
panel_open || fail "F3 did not open the calculator"
got=$(result)
[ "$got" = 3.5 ] || fail "the calculator reopened with [$got], not 3.5"
click_twips "$main" 3752 330 165 150 "$dy"
panel_closed || fail "× did not close the calculator"
keys "$main" F2
panel_open || fail "F2 did not open the leap-year checker"
verdict_is red || fail "F2 did not show the leap-year checker's red verdict"
click_twips "$main" 3750 470 165 255 "$dy"
panel_closed || fail "× did not close the leap-year checker"
keys "$main" F1
panel_open || fail "F1 did not open the zodiac finder"
verdict_is green || fail "F1 did not show the zodiac finder's green answer"
click_twips "$main" 3750 470 165 255 "$dy"
panel_closed || fail "× did not close the zodiac finder"
say "F3, F2 and F1 reopened each panel as it was; × closed each"

# --- "↑" hides the menu; its function keys then open nothing.
click_twips "$main" 0 0 615 210 "$dy" # ↑
wait_until menu_bar_hidden || fail "↑ did not hide the menu bar"
keys "$main" F3 F2 F1
sleep 0.5
lacks "$main" white "${tool_box[@]}" || fail "a function key opened a panel with the menu hidden"
[ -z "$(other_windows)" ] || fail "a window opened: $(other_windows)"
alive || fail "the program ended"
expect_calls
say "↑ hid the menu and its keys with it; nothing was launched"

#!/usr/bin/env bash
# The application lock: "S", a password typed into the prompt and the two boxes lock the
# window; a wrong password shows the error line and nothing under the lock panel can be
# reached (mouse, Tab/Space/Enter, the close box); the right password unlocks and the power
# buttons work again. Nothing is launched until 关机 is confirmed after unlocking.
source "$(dirname "$0")/lib.sh"
start_program
# Where the lock panel paints in red, "本应用已锁定！" and the error line "密码错误...", and
# inside the first text box of whichever tool panel is open (white while one is), in twips.
locked_label=(1050 690 1350 300)
error_line=(1500 1560 1125 300)
tool_box=(300 660 450 240)
locked() { shows "$main" red "${locked_label[@]}"; }
error_shown() { shows "$main" red "${error_line[@]}"; }
no_error() { lacks "$main" red "${error_line[@]}"; }
unlocked() { lacks "$main" red "${locked_label[@]}"; }
panel_open() { shows "$main" white "${tool_box[@]}" "$dy"; }
lock_button() { click_twips "$main" 3120 0 375 225 "$dy"; } # S
nothing_opened() { sleep 0.5; [ -z "$(other_windows)" ]; }

# A tool panel open and the menu shown, which the lock is to put away. Cancel in the
# prompt locks nothing and leaves them.
click_twips "$main" 0 0 615 210 # ↓
wait_until menu_bar_shown || fail "↓ did not show the menu bar"
dy=$(menu_bar_height)
keys "$main" F3 # 简易计算器
wait_until panel_open || fail "F3 did not open the calculator"
lock_button
answer_box 密码设置提示 Escape
nothing_opened || fail "a box came after the prompt was cancelled"
[ "$(menu_bar_height)" -eq "$dy" ] || fail "the menu went away after Cancel"
panel_open || fail "the panel went away after Cancel"

# A password with a blank and both cases, then the summary box and "设置成功！".
password='Mv 7x'
lock_button
prompt=$(wait_window '^密码设置提示$') || fail "S did not ask for a password"
type_text "$prompt" "$password"
keys "$prompt" Return
wait_until gone "$prompt" || fail "the prompt stayed"
answer_box 提示 Return # the password once more
answer_box 提示 Return # 设置成功！
wait_until menu_bar_hidden || fail "the menu stayed while locked"
wait_until locked || fail "the lock panel did not cover the window"
say "Cancel locked nothing; S locked: the lock panel covers the window, the menu is put away"

# The same letters in the other case are wrong: the error line, still locked; typing hides it.
type_text "$main" 'MV 7X' # the focus is in the password field
keys "$main" Return
wait_until error_shown || fail "no error line after a wrong password"
locked || fail "a wrong password unlocked"
type_text "$main" x
wait_until no_error || fail "typing did not hide the error line"
keys "$main" Return
wait_until error_shown || fail "no error line after the next wrong try"

# Nothing under the panel can be reached: clicks on 关机, 退出, 关机1 and S; Tab then Space
# over and over, then Enter (reachable, the second Tab would land on 关机 and Space press it).
for button in "720 1680 1215 375" "2160 1680 1215 375" "2160 1200 615 375" "3120 0 375 225"; do
    # shellcheck disable=SC2086 # the button's four twips
    click_twips "$main" $button
done
nothing_opened || fail "a click reached a covered button: a window opened"
keys "$main" Tab space Tab space Tab space Tab space Tab space Tab space Tab space Tab space Return
sleep 0.5
nothing_opened || fail "a key reached a covered button: a window opened"
locked || fail "the window is no longer locked"
python3 "$(dirname "$0")/close_request.py" "$main" || fail "could not send a close request" # as for the close box
answer_box 提示 Return # 应用未解锁，无法退出！
alive || fail "the close request ended the program"
locked || fail "the close request unlocked"
expect_calls
say "a wrong password shows the error line; clicks, keys and the close box reached nothing"

# The right password: the panel goes; the menu and the tool panel the lock put away stay
# away; 关机 works again.
click_twips "$main" 1320 1200 1575 315 # the password field
keys "$main" ctrl+a
type_text "$main" "$password"
keys "$main" Return
wait_until unlocked || fail "the right password did not unlock"
menu_bar_hidden || fail "the menu came back with the unlock"
lacks "$main" white "${tool_box[@]}" || fail "a tool panel came back with the unlock"
expect_calls
click_twips "$main" 720 1680 1215 375 # 关机
answer_box 提示 Return
wait_calls 1 3 || fail "no shutdown after unlocking"
sleep 0.5
expect_calls "$shutdown_line"
say "the right password unlocked; 关机 then launched $shutdown_line once"

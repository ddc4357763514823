#!/usr/bin/env bash
# The application lock: "S", a password typed into the prompt and the two boxes lock the
# window; a wrong password shows the error line and nothing under the lock panel can be
# reached (mouse, Tab/Space/Enter, the close box); the right password unlocks and the power
# buttons work again. Nothing is launched until 关机 is confirmed after unlocking.
source "$(dirname "$0")/lib.sh"
start_program
# The lock panel paints "本应用已锁定！" (Label6) and the error line "密码错误..." (Label9) in
# red; the calculator's first box (Text2) is white while its panel is open.
locked() { shows Form1 red Label6; }
error_shown() { shows Form1 red Label9; }
no_error() { lacks Form1 red Label9; }
unlocked() { lacks Form1 red Label6; }
panel_open() { shows Form1 white Text2; }
nothing_opened() { sleep 0.5; [ -z "$(other_windows)" ]; }

# A tool panel open and the menu shown, which the lock is to put away. Cancel in the
# prompt locks nothing and leaves them.
click Form1 Command3 # ↓
wait_until menu_bar_shown || fail "↓ did not show the menu bar"
bar=$(menu_bar_height Form1)
keys "$Form1" F3 # 简易计算器
wait_until panel_open || fail "F3 did not open the calculator"
click Form1 Command9 # S
answer_box 密码设置提示 Escape
nothing_opened || fail "a box came after the prompt was cancelled"
[ "$(menu_bar_height Form1)" -eq "$bar" ] || fail "the menu went away after Cancel"
panel_open || fail "the panel went away after Cancel"

# A password with a blank and both cases, then the summary box and "设置成功！".
password='Mv 7x'
click Form1 Command9
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
type_text "$Form1" 'MV 7X' # the focus is in the password field
keys "$Form1" Return
wait_until error_shown || fail "no error line after a wrong password"
locked || fail "a wrong password unlocked"
type_text "$Form1" x
wait_until no_error || fail "typing did not hide the error line"
keys "$Form1" Return
wait_until error_shown || fail "no error line after the next wrong try"

# Nothing under the panel can be reached: clicks on 关机, 退出, 关机1 and S; Tab then Space
# over and over, then Enter (reachable, the second Tab would land on 关机 and Space press it).
for button in Command1 Command4 Command5 Command9; do
    click Form1 $button
done
nothing_opened || fail "a click reached a covered button: a window opened"
keys "$Form1" Tab space Tab space Tab space Tab space Tab space Tab space Tab space Tab space Return
sleep 0.5
nothing_opened || fail "a key reached a covered button: a window opened"
locked || fail "the window is no longer locked"
python3 "$(dirname "$0")/close_request.py" "$Form1" || fail "could not send a close request" # as for the close box
answer_box 提示 Return # 应用未解锁，无法退出！
alive || fail "the close request ended the program"
locked || fail "the close request unlocked"
expect_calls
say "a wrong password shows the error line; clicks, keys and the close box reached nothing"

# The right password: the panel goes; the menu and the tool panel the lock put away stay
# away; 关机 works again.
click Form1 Text1 # the password field
keys "$Form1" ctrl+a
type_text "$Form1" "$password"
keys "$Form1" Return
wait_until unlocked || fail "the right password did not unlock"
menu_bar_hidden || fail "the menu came back with the unlock"
lacks Form1 white Text2 || fail "a tool panel came back with the unlock"
expect_calls
click Form1 Command1 # 关机
answer_box 提示 Return
wait_calls 1 3 || fail "no shutdown after unlocking"
sleep 0.5
expect_calls "$shutdown_line"
say "the right password unlocked; 关机 then launched $shutdown_line once"

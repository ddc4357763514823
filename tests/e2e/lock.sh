#!/usr/bin/env bash
# The application lock: "S", a password typed into the prompt and the two boxes lock the
# window; a wrong password shows the error line and nothing under the lock panel can be
# reached (mouse, Tab/Space/Enter, the close box); the right password unlocks and the
# power buttons work again. Nothing is launched until 关机 is confirmed after unlocking.
source "$(dirname "$0")/lib.sh"
start_program

# Areas of the client area, in twips, where the lock panel paints in red: "本应用已锁定！"
# (Label6) and the error line "密码错误..." (Label9). Red there means that label is shown.
locked_label=(1050 690 1350 300)
error_line=(1500 1560 1125 300)
# Inside the first text box of whichever tool panel is open: white while one is.
tool_box=(300 660 450 240)

# A tool panel open and the menu shown, which the lock is to put away.
click_twips "$main" 0 0 615 210 # ↓
wait_until menu_bar_shown || fail "↓ did not show the menu bar"
dy=$(menu_bar_height)
keys "$main" F3 # 简易计算器
wait_until shows "$main" white "${tool_box[@]}" "$dy" || fail "F3 did not open the calculator"

# Cancel in the prompt locks nothing and shows nothing: the menu and the panel stay.
click_twips "$main" 3120 0 375 225 "$dy" # S
answer_box 密码设置提示 Escape
sleep 1
[ -z "$(other_windows)" ] || fail "a box came after the prompt was cancelled"
[ "$(menu_bar_height)" -eq "$dy" ] || fail "the menu went away after Cancel"
shows "$main" white "${tool_box[@]}" "$dy" || fail "the panel closed after Cancel"
say "Cancel in the prompt locked nothing"

# A password with a blank and both cases, then the summary box and "设置成功！".
password='Mv 7x'
click_twips "$main" 3120 0 375 225 "$dy" # S
prompt=$(wait_window '^密码设置提示$' 5) || fail "S did not ask for a password"
type_text "$prompt" "$password"
keys "$prompt" Return
wait_gone "$prompt" || fail "the prompt stayed"
answer_box 提示 Return # the password once more
answer_box 提示 Return # 设置成功！
wait_until menu_bar_hidden || fail "the menu stayed while locked"
wait_until shows "$main" red "${locked_label[@]}" || fail "the lock panel did not cover the window"
say "locked: the lock panel covers the window, the menu is put away"

# The same letters in the other case are a wrong password: the error line, still locked.
type_text "$main" 'MV 7X' # the focus is in the password field
keys "$main" Return
wait_until shows "$main" red "${error_line[@]}" || fail "no error line after a wrong password"
shows "$main" red "${locked_label[@]}" || fail "a wrong password unlocked"
type_text "$main" x
wait_until lacks "$main" red "${error_line[@]}" || fail "typing did not hide the error line"
keys "$main" Return
wait_until shows "$main" red "${error_line[@]}" || fail "no error line after the next wrong try"
say "a wrong password shows the error line, typing hides it, the window stays locked"

# Nothing under the panel can be reached. The mouse: 关机, 退出, 关机1 and "S" lie under it.
click_twips "$main" 720 1680 1215 375  # 关机
click_twips "$main" 2160 1680 1215 375 # 退出
click_twips "$main" 2160 1200 615 375  # 关机1
click_twips "$main" 3120 0 375 225     # S
sleep 0.5
[ -z "$(other_windows)" ] || fail "a click reached a covered button: a window opened"
# The keyboard: Tab then Space, over and over, then Enter. Were the covered buttons in reach,
# the second Tab from the password field would land on 关机 and its Space press it.
keys "$main" Tab space Tab space Tab space Tab space Tab space Tab space Tab space Tab space Return
sleep 1
[ -z "$(other_windows)" ] || fail "a key reached a covered button: a window opened"
alive || fail "the program ended"
expect_calls
shows "$main" red "${locked_label[@]}" || fail "the window is no longer locked"
# The close box is refused with a box, and the window stays locked.
close_request "$main"
answer_box 提示 Return # 应用未解锁，无法退出！
alive || fail "the close request ended the program"
shows "$main" red "${locked_label[@]}" || fail "the close request unlocked"
say "while locked, clicks, Tab/Space/Enter and the close box reached nothing and launched nothing"

# The right password: the panel goes; the menu and the tool panel that the lock put away
# stay away; 关机 works again.
click_twips "$main" 1320 1200 1575 315 # the password field
keys "$main" ctrl+a
type_text "$main" "$password"
keys "$main" Return
wait_until lacks "$main" red "${locked_label[@]}" || fail "the right password did not unlock"
menu_bar_hidden || fail "the menu came back with the unlock"
lacks "$main" white "${tool_box[@]}" || fail "a tool panel came back with the unlock"
expect_calls
click_twips "$main" 720 1680 1215 375 # 关机
answer_box 提示 Return
wait_calls 1 3 || fail "no shutdown after unlocking"
sleep 0.5
expect_calls "systemctl poweroff"
say "the right password unlocked; 关机 then launched systemctl poweroff once"

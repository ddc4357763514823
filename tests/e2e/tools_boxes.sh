#!/usr/bin/env bash
# The feedback, tips and About boxes of the tools menu, through the menu and their keys:
# each opens with its title and closes; the feedback rated "C" then Yes asks for a message,
# cancelled it only thanks. Nothing is launched.
source "$(dirname "$0")/lib.sh"
start_program

click_twips "$main" 0 0 615 210 # ↓
wait_until menu_bar_shown || fail "↓ did not show the menu bar"

# Feedback "C", Yes: a message is asked for, then thanks.
menu_item 3 # 用户反馈
rating=$(wait_window '^用户反馈$' 5) || fail "no box titled 用户反馈"
type_text "$rating" C
keys "$rating" Return
wait_gone "$rating" || fail "the rating box stayed"
answer_box 提交成功 Return # Yes, leave a message
message=$(wait_window '^用户留言$' 5) || fail "Yes did not ask for a message"
type_text "$message" 'ok'
keys "$message" Return
wait_gone "$message" || fail "the message box stayed"
answer_box 提交成功 Return # 感谢您的反馈~
# Cancelled, by its keys this time: straight to the thanks.
keys "$main" ctrl+shift+F8
answer_box 用户反馈 Escape
answer_box 提交成功 Return # 感谢您的评价！再见~
sleep 0.5
[ -z "$(other_windows)" ] || fail "a box is still open after the feedback: $(other_windows)"
menu_item 4 # 助手小技巧
answer_box 小技巧 Return
menu_item 5 # 关于本应用
answer_box 信息 Return
keys "$main" F12
answer_box 信息 Return
sleep 0.5
[ -z "$(other_windows)" ] || fail "a box is still open: $(other_windows)"
alive || fail "the program ended"
expect_calls
say "feedback (rated C then Yes, and cancelled), tips and About opened with their titles and closed"

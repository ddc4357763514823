#!/usr/bin/env bash
# The feedback, tips and About boxes of the tools menu, through the menu and their keys: each
# opens with its title and closes; the feedback rated "C" then Yes asks for a message,
# cancelled it only thanks. Nothing is launched.
source "$(dirname "$0")/lib.sh"
start_program
click Form1 Command3 # ↓
wait_until menu_bar_shown || fail "↓ did not show the menu bar"
# Answers the next input box with this title by typing the text and Return.
answer_prompt() { # title text
    local box
    box=$(wait_window "^$1\$") || fail "no box titled $1"
    type_text "$box" "$2"
    keys "$box" Return
    wait_until gone "$box" || fail "the box $1 stayed"
}
no_box_left() { sleep 0.5; [ -z "$(other_windows)" ] || fail "a box is still open: $(other_windows)"; }

menu_item 3 # 用户反馈, "C", Yes: a message is asked for, then thanks
answer_prompt 用户反馈 C
answer_box 提交成功 Return
answer_prompt 用户留言 ok
answer_box 提交成功 Return # 感谢您的反馈~
keys "$Form1" ctrl+shift+F8 # cancelled, by its keys this time: straight to the thanks
answer_box 用户反馈 Escape
answer_box 提交成功 Return # 感谢您的评价！再见~
no_box_left
menu_item 4 # 助手小技巧
answer_box 小技巧 Return
menu_item 5 # 关于本应用
answer_box 信息 Return
keys "$Form1" F12
answer_box 信息 Return
no_box_left
alive || fail "the program ended"
expect_calls
say "feedback (rated C then Yes, and cancelled), tips and About opened with their titles and closed"

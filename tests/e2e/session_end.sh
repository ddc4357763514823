#!/usr/bin/env bash
# Windows, under Wine: a log-off that another program refuses (WM_QUERYENDSESSION, then
# WM_ENDSESSION with FALSE) leaves everything as it was: the close box minimises the main window,
# and locked, it still refuses to close. While a log-off goes on, the close box closes it.
# shellcheck source=SCRIPTDIR/lib.sh
source "$(dirname "$0")/lib.sh"
start_program
session() { wine "$(dirname "$binary")/../tests/window_facts.exe" Morvane_V1.0 "$1"; }
is() { [ "$(wm_state "$Form1")" = "$1" ]; }
session query && session cancel
close_box "$Form1"
within 5 is Iconic || fail "after a refused log-off the close box did not minimise: $(wm_state "$Form1")"
xdotool windowactivate "$Form1"
within 5 loaded || fail "the restored main window was not drawn again"
click Form1 Command9
answer 密码设置提示 "p w Return"
answer 提示 Return
answer 提示 Return
session query && session cancel
close_box "$Form1"
answer 提示 Return # 应用未解锁，无法退出！
is Normal || fail "the locked window closed after a refused log-off"
session query
# The window may take a moment to take clicks again after its box: the close box is pressed
# until it acts (while the log-off were not noted, no press would close it).
closes() { close_box "$Form1"; within 1 is Withdrawn; }
within 5 closes || fail "while a log-off goes on, the close box did not close the window: $(wm_state "$Form1")"
kill -0 "$pid" || fail "the program ended"
echo "$name: after a refused log-off the close box minimised, and locked it refused; during one it closed"

#!/usr/bin/env bash
# On native Wayland (weston, nested in the sandbox's X server, its kiosk shell: each window in
# the middle of the screen): 关机 asks in a box; a click on the main window gives that window the
# keyboard, and the box goes behind it; Enter still answers the box, and the shutdown line is
# written once.
E2E_NO_WINDOW_MANAGER=1
# shellcheck source=SCRIPTDIR/lib.sh
source "$(dirname "$0")/lib.sh"
export XDG_RUNTIME_DIR=$sandbox/xdg
mkdir -m 0700 "$XDG_RUNTIME_DIR"
weston --backend=x11-backend.so --use-pixman --width=1024 --height=768 --shell=kiosk-shell.so \
    --socket=morvane-wayland --no-config --idle-time=0 > "$sandbox/weston.log" 2>&1 &
wayland_up() { [ -S "$XDG_RUNTIME_DIR/morvane-wayland" ]; }
within 10 wayland_up || fail "weston did not start: $(cat "$sandbox/weston.log")"
sleep 0.5
env -u DISPLAY WAYLAND_DISPLAY=morvane-wayland "$binary" > "$sandbox/out.log" 2>&1 &
pid=$!
# The main window, 265 x 173, in the middle of weston's 1024 x 768 screen.
Form1=root left=$(((1024 - 265) / 2)) top=$(((768 - 173) / 2))
within 30 loaded || fail "the main window did not finish loading on Wayland: $(cat "$sandbox/out.log")"
xdotool key Return # 关机 has the focus
sleep 1.5
xdotool mousemove $((left + 5)) $((top + 5)) click 1 # on the main window, outside the box
sleep 1
! launched_any || fail "something was launched before the box was answered"
xdotool key Return
within 5 launched_any || fail "Enter no longer answers the box once the main window was clicked"
sleep 1
[ "$(launched)" = "$shutdown_line" ] || fail "expected the one line: $shutdown_line"
kill -0 "$pid" || fail "the program ended"
echo "$name: on Wayland, after a click on the main window, Enter still answered the box: $shutdown_line once"

# shellcheck shell=bash disable=SC2034 # shutdown_line is for the scenarios
# Shared by the end-to-end scenarios, each started as `scenario.sh path/to/morvane`: the real
# program in a sandbox of the run's own (scripts/sandbox: a virtual X server with a window
# manager, stand-in power tools that only write down how they were called), driven by real
# input events (XTEST, through xdotool) that the X server and the window manager route as a
# user's. A program named *.exe is the Windows build, run from its folder under Wine.
#
# Controls are clicked by name, at the place the main window's own layout gives them
# (tests/e2e/layout.cpp writes e2e_layout.txt into tests/ beside the program's folder).
set -euo pipefail
binary=$(realpath "$1")
name=$(basename "$0" .sh)
# shellcheck source=SCRIPTDIR/../../scripts/sandbox
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/sandbox"
calls=$sandbox/calls.log pid=''
fail() {
    echo "$name: FAIL: $*" >&2
    sed 's/^/  launched: /' "$calls" >&2
    exit 1
}
# Runs a check every tenth of a second until it holds, for up to $1 seconds.
within() { local n=$(($1 * 10)); shift; for _ in $(seq "$n"); do "$@" && return 0; sleep 0.1; done; return 1; }

declare -A layout
while read -r form control rect; do layout[$form $control]=$rect; done < "$(dirname "$binary")/../tests/e2e_layout.txt"

if [[ $binary == *.exe ]]; then
    sandbox_wine "$binary"
    shutdown_line="shutdown -f -s -t 0"
else
    [ -n "${E2E_NO_WINDOW_MANAGER:-}" ] || sandbox_wm
    shutdown_line="systemctl poweroff"
fi
# The power tools' lines so far, without their times.
launched() { cut -d' ' -f2- "$calls"; }
launched_any() { [ -s "$calls" ]; }

# The id of the visible window titled exactly $1.
window() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | tail -n1 | grep .; }
focused() { [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ]; }
# Pixels of the layout at the screen's scale factor (QT_SCALE_FACTOR).
at() { awk -v n="$1" -v s="${QT_SCALE_FACTOR:-1}" 'BEGIN { printf "%d", n * s + 0.5 }'; }
# A click in the middle of a control of the window whose id is in the variable $1.
click() { # Form control
    read -r x y w h <<< "${layout[$1 $2]}"
    xdotool mousemove --window "${!1}" "$(at $((x + w / 2)))" "$(at $((y + h / 2)))" click 1
}
# Answers the box titled $1 with the key $2 once the box has the keyboard focus and can have
# been read (a box takes no key for the double-click interval after it appears, 0.5 s at most),
# and waits for it to go.
answer() { # title keys
    local box
    box=$(within 10 window "$1") || fail "no box titled $1"
    within 5 focused "$box" || fail "the box $1 did not take the keyboard focus"
    sleep 0.6
    xdotool key $2 # shellcheck disable=SC2086: keys one a word, "p w Return"
    closed() { ! xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | grep -qx "$box"; }
    within 5 closed "$1" || fail "the box $1 did not take $2" # the next box is a new one
}

# How the window titled $1 stands: "above" (it stays above every other window) or "normal",
# "fixed" or "maximisable", then the title of the window that owns it, if any. Windows is asked
# under Wine.
facts() {
    if [[ $binary == *.exe ]]; then
        wine "$(dirname "$binary")/../tests/window_facts.exe" "$1" | tr -d '\r'
        return
    fi
    local id owner
    id=$(window "$1") || return 1
    xprop -id "$id" _NET_WM_STATE | grep -q _NET_WM_STATE_ABOVE && printf above || printf normal
    xprop -id "$id" _NET_WM_ALLOWED_ACTIONS | grep -q MAXIMIZE && printf ' maximisable' || printf ' fixed'
    owner=$(xprop -id "$id" WM_TRANSIENT_FOR | grep -o '0x[0-9a-f]*$' || true)
    echo " ${owner:+$(xprop -id "$owner" _NET_WM_NAME | cut -d'"' -f2)}"
}

# A click on the close box that the window manager draws for the window whose id is $1: the
# rightmost button of the title bar above it, as tall as the bar.
close_box() {
    local X Y W right top
    eval "$(xwininfo -id "$1" | sed -nE 's/^ *Absolute upper-left (X|Y): *(-?[0-9]+)/\1=\2/p; s/^ *Width: *([0-9]+)/W=\1/p')"
    read -r _ right top _ <<< "$(xprop -id "$1" _NET_FRAME_EXTENTS | sed 's/.*= //; s/,//g')"
    xdotool mousemove $((X + W + right - top / 2)) $((Y - top / 2)) click 1
}
# Whether the window whose id is $1 is shown, minimised or neither: Normal, Iconic or Withdrawn.
wm_state() { xprop -id "$1" WM_STATE 2>/dev/null | grep -oE 'Normal|Iconic' || echo Withdrawn; }

# How many of a control's pixels are dark and how many light: "dark light". The window may lie
# at ($left, $top) in the one named (the screen, on Wayland).
shades() { # Form control
    read -r x y w h <<< "${layout[$1 $2]}"
    import -window "${!1}" -crop "$(at "$w")x$(at "$h")+$(($(at "$x") + ${left:-0}))+$(($(at "$y") + ${top:-0}))" \
        +repage -depth 8 txt:- 2>/dev/null |
        awk -F'[(),]' 'NR > 1 { d += $3 < 200 && $4 < 200 && $5 < 200; n++ } END { print d + 0, n - d }'
}
# Loading has ended once 关机2 shows: its caption and edges on a light face, where the loading
# panel is light all over and a window not yet drawn is black.
loaded() { read -r dark light <<< "$(shades Form1 Command7)"; [ "$dark" -gt 20 ] && [ "$light" -gt 20 ]; }
# Whether the window manager is shown the program's icon: in the first picture of
# _NET_WM_ICON, a quarter of the way in and three quarters down, the clock face's blue.
has_icon() {
    xprop -id "$1" -notype 32c _NET_WM_ICON 2>/dev/null | cut -d= -f2 | tr -d ' ' | awk -F, '{
        w = $1; h = $2; p = $(3 + int(h * 3 / 4) * w + int(w / 4))
        a = int(p / 16777216) % 256; r = int(p / 65536) % 256; b = p % 256
        exit !(w > 0 && a > 200 && b > 150 && b > r + 60) }'
}
start_program() {
    sandbox_exec "$binary" > "$sandbox/out.log" 2>&1 &
    pid=$!
    Form1=$(within 30 window Morvane_V1.0) || fail "no window titled Morvane_V1.0"
    within 20 loaded || fail "the main window did not finish loading"
    kill -0 "$pid" || fail "the program ended by itself"
    has_icon "$Form1" || fail "the main window does not show the program's icon"
}

# shellcheck shell=bash disable=SC2034 # variables set here for the scenarios
# Shared by the end-to-end scenarios, each started as `scenario.sh path/to/morvane`: the real
# program in a sandbox of the run's own (scripts/sandbox: a virtual X server, stand-in power
# tools that only write down how they were called, no system bus), driven through real input
# events (XTEST, by xdotool). A program named *.exe is the Windows build, from its folder (the
# program with its DLLs, as installed), run under Wine.
#
# Controls are found by name in the table that the windows' own layout writes at build time
# (tests/e2e/layout.cpp, e2e_layout.txt in tests/ beside the program's folder): `click Form2
# Check1`. Once a scenario has found them, $Form1, $Form2, $Form4 and $Form5 hold the windows'
# ids. A place in a window is counted from the origin of its X window, which is its client
# area on both systems (Qt's window under X; under Wine, the window's client area), with the
# menu bar, while it shows, above the controls.
set -euo pipefail

binary=$(realpath "$1")
name=$(basename "$0" .sh)
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/sandbox"
calls=$sandbox/calls.log pid=''
say() { echo "$name: $*"; }
fail() {
    echo "$name: FAIL: $*" >&2
    sed 's/^/  recorded: /' "$calls" >&2 || true
    sed 's/^/  program: /' "$sandbox/out.log" >&2 2>/dev/null || true
    exit 1
}
# Runs a check again and again, for up to $1 tenths of a second, until it holds: windows
# and repaints take their time on a loaded machine.
retry() { local n=$1; shift; for _ in $(seq "$n"); do "$@" && return 0; sleep 0.1; done; return 1; }
wait_until() { retry 30 "$@"; }

table=$(dirname "$binary")/../tests/e2e_layout.txt
[ -f "$table" ] || fail "no layout table $table: build the tests"
declare -A layout
while read -r form control rect; do layout[$form $control]=$rect; done < "$table"

# Each system's lines for shutdown, restart and log-off, as its stand-ins write them down.
if [[ $binary == *.exe ]]; then
    sandbox_wine "$binary"
    shutdown_line="shutdown -f -s -t 0" restart_line="shutdown -f -r -t 0" logoff_line="shutdown -l"
else
    export XDG_SESSION_ID=e2e7 # what log-off names
    shutdown_line="systemctl poweroff" restart_line="systemctl reboot" logoff_line="loginctl terminate-session e2e7"
fi

# The id of the visible window whose title matches, waiting up to $2 seconds.
find_window() { xdotool search --onlyvisible --name "$1" 2>/dev/null | tail -n1 | grep .; }
wait_window() { retry $(( ${2:-5} * 10 )) find_window "$1"; }
alive() { kill -0 "$pid" 2>/dev/null; }
# Whether a window shows the program's icon to the window manager: in the first picture of
# _NET_WM_ICON, a quarter of the way in and three quarters down, the clock face's blue.
has_icon() {
    xprop -id "$1" -notype 32c _NET_WM_ICON 2>/dev/null | cut -d= -f2 | tr -d ' ' | awk -F, '{
        w = $1; h = $2; p = $(3 + int(h * 3 / 4) * w + int(w / 4))
        a = int(p / 16777216) % 256; r = int(p / 65536) % 256; b = p % 256
        exit !(w > 0 && a > 200 && b > 150 && b > r + 60) }'
}
# Loading ends when 关机2 shows: its edges and caption on the light face of a button, where the
# loading panel was light all over (and a window not yet drawn is black all over).
loaded() { shows Form1 dark Command7 && shows Form1 light Command7; }
start_program() {
    sandbox_exec "$binary" > "$sandbox/out.log" 2>&1 &
    pid=$!
    Form1=$(wait_window '^Morvane_V1.0$' 20) || fail "no window titled Morvane_V1.0"
    retry 150 loaded || fail "the main window did not finish loading"
    alive || fail "the program ended by itself"
    has_icon "$Form1" || fail "the main window does not show the program's icon"
}
# Keys go to the focused window, as a user types them.
focus() { xdotool windowfocus --sync "$1" 2>/dev/null || xdotool windowfocus "$1"; sleep 0.15; }
keys() { focus "$1"; shift; xdotool key --delay 60 "$@"; sleep 0.2; } # window key...
type_text() { focus "$1"; xdotool type --delay 60 "$2"; sleep 0.2; }   # window text

# The height of a window's menu bar, 0 while it has none: the window grows by it.
menu_bar_height() { # Form
    echo $(( $(xdotool getwindowgeometry --shell "${!1}" | sed -n 's/^HEIGHT=//p') - ${layout[$1 client]##* } ))
}
menu_bar_shown() { [ "$(menu_bar_height Form1)" -gt 0 ]; }
menu_bar_hidden() { [ "$(menu_bar_height Form1)" -eq 0 ]; }
# Where a control of a window lies, into x, y, w and h.
place() { # Form control
    [ -n "${layout[$1 $2]:-}" ] || fail "$1 has no control $2"
    read -r x y w h <<< "${layout[$1 $2]}"
    y=$(( y + $(menu_bar_height "$1") ))
}
# A click in the middle of a control, or dx and dy pixels from it.
click() { # Form control [dx dy]
    place "$1" "$2"
    xdotool mousemove --window "${!1}" $(( x + w / 2 + ${3:-0} )) $(( y + h / 2 + ${4:-0} )) click 1
    sleep 0.25
}
# "关机1": the countdown window opens.
open_countdown() {
    click Form1 Command5
    Form2=$(wait_window '^Morvane$') || fail "the countdown window did not open"
}

# The program's visible windows other than the main one (boxes, an opened menu).
other_windows() { xdotool search --onlyvisible --pid "$pid" 2>/dev/null | grep -vx "$Form1" || true; }
has_other_windows() { other_windows | grep -q .; }
gone() { ! xdotool search --onlyvisible --pid "$pid" 2>/dev/null | grep -qx "$1"; }
# Answers the next box with this title by a key (Return takes its default button), and
# waits until it is gone so that a box with the same title after it is not taken for it.
answer_box() { # title key
    local box
    box=$(wait_window "^$1\$") || fail "no box titled $1"
    keys "$box" "$2"
    wait_until gone "$box" || fail "the box $1 stayed after $2"
}

# Exactly these launches so far, in this order (the tools' names and arguments).
expect_calls() {
    local got
    got=$(cut -d' ' -f2- "$calls")
    [ "$got" = "$(printf '%s\n' "$@" | sed '/^$/d')" ] || fail "expected launches: [$*], got: [$got]"
}
has_calls() { [ "$(wc -l < "$calls")" -ge "$1" ]; }
wait_calls() { retry $(( $2 * 10 )) has_calls "$1"; } # n seconds

# The number of pixels of one colour in a control's rectangle: red (255) and green (0xC000),
# in which verdicts and warnings are painted; white, the background of a text box; light, as
# a button's face, and dark, anything darker. "shows": a patch of it, more than the few stray
# pixels of an edge; "lacks": not one pixel of it.
pixels() { # Form colour control
    place "$1" "$3"
    import -window "${!1}" -crop "${w}x${h}+${x}+${y}" +repage -depth 8 txt:- 2>/dev/null | awk -v colour="$2" -F'[(),]' '
        NR > 1 { r = $3; g = $4; b = $5
                 n += colour == "red" && r >= 200 && g <= 80 && b <= 80
                 n += colour == "green" && g >= 150 && r <= 80 && b <= 80
                 n += colour == "white" && r >= 250 && g >= 250 && b >= 250
                 n += colour == "light" && r >= 200 && g >= 200 && b >= 200
                 n += colour == "dark" && r < 200 && g < 200 && b < 200 }
        END { print n + 0 }'
}
shows() { [ "$(pixels "$@")" -gt 20 ]; }
lacks() { [ "$(pixels "$@")" -eq 0 ]; }

# Chooses item n (0 for the first) of the menu 多功能 with the mouse: a click on the menu
# bar opens it, a click in the middle of the item's sixth of its height chooses it.
menu_item() { # n
    local menu X Y WIDTH HEIGHT
    xdotool mousemove --window "$Form1" 25 $(( $(menu_bar_height Form1) / 2 )) click 1
    retry 30 has_other_windows || fail "the menu 多功能 did not open"
    menu=$(other_windows | tail -n1)
    eval "$(xdotool getwindowgeometry --shell "$menu")"
    xdotool mousemove $(( X + WIDTH / 2 )) $(( Y + HEIGHT * (2 * $1 + 1) / 12 )) click 1
    wait_until gone "$menu" || fail "the menu 多功能 stayed open"
    sleep 0.2
}

# shellcheck shell=bash disable=SC2034 # variables set here for the scenarios
# Shared by the end-to-end scenarios, each started as `scenario.sh path/to/morvane`: the real
# program under a virtual X server of the run's own, driven through real input events (XTEST,
# by xdotool). The power tools are stand-ins first on the program's search path that only write
# down how they were called, and the system bus points nowhere, so nothing here can switch the
# computer off. A program named *.exe is the Windows build, from its folder (the program with
# its DLLs, as installed): it runs under Wine, with the stand-in shutdown.exe named by
# MORVANE_STAND_IN_SHUTDOWN first on the search path Wine gives it (WINEPATH), before Wine's
# own, which would end the Wine session.
set -euo pipefail

binary=$(realpath "$1")
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
name=$(basename "$0" .sh)
work=$(mktemp -d)
pid='' xserver='' wm=''
ends() { # each, whether or not what came before it is still there
    for p in $pid $wm $xserver; do kill "$p" 2>/dev/null || true; done
    [ ! -d "$work/wine" ] || WINEPREFIX="$work/wine" wineserver -k 2>/dev/null || true
    rm -rf "$work"
}
trap ends EXIT
say() { echo "$name: $*"; }
fail() {
    echo "$name: FAIL: $*" >&2
    sed 's/^/  recorded: /' "$work/calls.log" >&2 || true
    sed 's/^/  program: /' "$work/out.log" >&2 2>/dev/null || true
    exit 1
}
# Runs a check again and again, for up to $1 tenths of a second, until it holds: windows
# and repaints take their time on a loaded machine.
retry() { local n=$1; shift; for _ in $(seq "$n"); do "$@" && return 0; sleep 0.1; done; return 1; }
wait_until() { retry 30 "$@"; }

# The server picks a free display and writes it down once it accepts connections, so runs
# side by side never race for one.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
xserver=$!
retry 100 test -s "$work/display" || fail "no X server: $(cat "$work/xvfb.log")"
DISPLAY=":$(head -n1 "$work/display")"
export DISPLAY
unset XAUTHORITY QT_QPA_PLATFORM                      # no cookie; a real (virtual) X display
export DBUS_SYSTEM_BUS_ADDRESS=unix:path=/nonexistent # never a sleep lock on this machine's bus
export XDG_SESSION_ID=e2e7                            # what log-off names
mkdir "$work/bin"
touch "$work/calls.log"
# A window manager, for a scenario where what it does matters (minimising, restoring): the
# others run without one on Linux, so that nothing but the program decides where the focus
# goes. The Windows build always has one (below).
start_window_manager() {
    [ -z "$wm" ] || return 0
    openbox --sm-disable >"$work/wm.log" 2>&1 &
    wm=$!
    managing() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
    retry 100 managing || fail "no window manager: $(cat "$work/wm.log")"
}

# Each system's stand-ins, how the program starts (in place of the background shell, so that
# $pid is the program's), and the lines its shutdown, restart and log-off launch, as the
# stand-ins write them down.
if [[ $binary == *.exe ]]; then
    [ -f "${MORVANE_STAND_IN_SHUTDOWN:-}" ] || fail "MORVANE_STAND_IN_SHUTDOWN names no stand-in shutdown.exe"
    cp "$MORVANE_STAND_IN_SHUTDOWN" "$work/bin/shutdown.exe"
    "$root/scripts/wine-prefix" "${WINEPREFIX:-$root/build/wine}" "$work/wine" # the run's own
    export WINEPREFIX="$work/wine"
    # Wine waits up to 2 s for a window manager to confirm each window it hides; with none,
    # every box would linger that long after its answer.
    start_window_manager
    export WINEPATH="Z:${work//\//\\}\\bin" MORVANE_CALLS_LOG="Z:${work//\//\\}\\calls.log"
    run_program() { WINEDEBUG=-all exec wine "$binary"; }
    shutdown_line="shutdown -f -s -t 0" restart_line="shutdown -f -r -t 0" logoff_line="shutdown -l"
else
    for tool in shutdown systemctl loginctl; do
        # shellcheck disable=SC2016 # written into the stand-in as it stands
        printf '#!/bin/sh\necho "$(date +%%s.%%N) %s $*" >> "%s/calls.log"\n' "$tool" "$work" > "$work/bin/$tool"
        chmod +x "$work/bin/$tool"
    done
    run_program() { PATH="$work/bin:$PATH" exec "$binary"; }
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
start_program() {
    run_program > "$work/out.log" 2>&1 &
    pid=$!
    main=$(wait_window '^Morvane_V1.0$' 20) || fail "no window titled Morvane_V1.0"
    sleep 2.5 # the loading animation takes 1.6 s
    alive || fail "the program ended by itself"
    has_icon "$main" || fail "the main window does not show the program's icon"
}
# Keys go to the focused window, as a user types them.
focus() { xdotool windowfocus --sync "$1" 2>/dev/null || xdotool windowfocus "$1"; sleep 0.15; }
keys() { focus "$1"; shift; xdotool key --delay 60 "$@"; sleep 0.2; } # window key...
type_text() { focus "$1"; xdotool type --delay 60 "$2"; sleep 0.2; }   # window text
# Clicks the middle of a control given in twips (left, top, width, height) of a window's
# client area; `dy` moves it down by a menu bar above the client area.
click_twips() { # window left top width height [dy]
    xdotool mousemove --window "$1" $(( ($2 + $4 / 2) / 15 )) $(( ($3 + $5 / 2) / 15 + ${6:-0} )) click 1
    sleep 0.25
}
# "关机1": the countdown window opens; its id goes into $countdown.
open_countdown() {
    click_twips "$main" 2160 1200 615 375
    countdown=$(wait_window '^Morvane$') || fail "the countdown window did not open"
}

# The program's visible windows other than the main one (boxes, an opened menu).
other_windows() { xdotool search --onlyvisible --pid "$pid" 2>/dev/null | grep -vx "$main" || true; }
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
    got=$(cut -d' ' -f2- "$work/calls.log")
    [ "$got" = "$(printf '%s\n' "$@" | sed '/^$/d')" ] || fail "expected launches: [$*], got: [$got]"
}
has_calls() { [ "$(wc -l < "$work/calls.log")" -ge "$1" ]; }
wait_calls() { retry $(( $2 * 10 )) has_calls "$1"; } # n seconds

# The height of the main window's menu bar, 0 while it has none: the client area is 2595
# twips high and the window grows by the bar.
menu_bar_height() { echo $(( $(xdotool getwindowgeometry --shell "$main" | sed -n 's/^HEIGHT=//p') - 173 )); }
menu_bar_shown() { [ "$(menu_bar_height)" -gt 0 ]; }
menu_bar_hidden() { [ "$(menu_bar_height)" -eq 0 ]; }

# The number of pixels of one colour in a rectangle of a window's client area given like
# click_twips: red (255) and green (0xC000), in which verdicts and warnings are painted, or
# white, the background of a text box. "shows": a patch of it, more than the few stray
# pixels of an edge; "lacks": not one pixel of it.
pixels() { # window colour left top width height [dy]
    import -window "$1" -crop "$(( $5 / 15 ))x$(( $6 / 15 ))+$(( $3 / 15 ))+$(( $4 / 15 + ${7:-0} ))" +repage \
        -depth 8 txt:- 2>/dev/null | awk -v colour="$2" -F'[(),]' '
        NR > 1 { r = $3; g = $4; b = $5
                 n += colour == "red" && r >= 200 && g <= 80 && b <= 80
                 n += colour == "green" && g >= 150 && r <= 80 && b <= 80
                 n += colour == "white" && r >= 250 && g >= 250 && b >= 250 }
        END { print n + 0 }'
}
shows() { [ "$(pixels "$@")" -gt 20 ]; }
lacks() { [ "$(pixels "$@")" -eq 0 ]; }

# Chooses item n (0 for the first) of the menu 多功能 with the mouse: a click on the menu
# bar opens it, a click in the middle of the item's sixth of its height chooses it.
menu_item() { # n
    local menu X Y WIDTH HEIGHT
    xdotool mousemove --window "$main" 25 10 click 1
    retry 30 has_other_windows || fail "the menu 多功能 did not open"
    menu=$(other_windows | tail -n1)
    eval "$(xdotool getwindowgeometry --shell "$menu")"
    xdotool mousemove $(( X + WIDTH / 2 )) $(( Y + HEIGHT * (2 * $1 + 1) / 12 )) click 1
    wait_until gone "$menu" || fail "the menu 多功能 stayed open"
    sleep 0.2
}

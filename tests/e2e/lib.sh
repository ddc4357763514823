# Shared by the end-to-end scenarios: the real program under a virtual X server,
# driven through real input events (XTEST, by xdotool). The power tools are stand-ins
# first on PATH that only write down how they were called, so nothing here can switch
# the computer off. Sourced by each scenario, which is started as
#
#   scenario.sh path/to/morvane
set -euo pipefail

binary=$(realpath "$1")
work=$(mktemp -d)
pid=
xserver=
cleanup() {
    [ -z "$pid" ] || kill "$pid" 2>/dev/null || true
    [ -z "$xserver" ] || kill "$xserver" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# A virtual X server of this run's own. It picks a free display number itself and writes it
# down once it accepts connections (-displayfd), so runs side by side never race for one.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
xserver=$!
for _ in $(seq 200); do
    [ -s "$work/display" ] && break
    sleep 0.05
done
[ -s "$work/display" ] || { echo "$(basename "$0" .sh): FAIL: no X server" >&2; cat "$work/xvfb.log" >&2; exit 1; }
DISPLAY=":$(head -n1 "$work/display")"
export DISPLAY
unset XAUTHORITY                                      # the server asks for no cookie
unset QT_QPA_PLATFORM                                 # a real (virtual) X display
export DBUS_SYSTEM_BUS_ADDRESS=unix:path=/nonexistent # never a sleep lock on this machine's bus
export XDG_SESSION_ID=e2e7                            # what log-off names
mkdir "$work/bin"
for tool in shutdown systemctl loginctl; do
    cat > "$work/bin/$tool" <<TOOL
#!/bin/sh
echo "\$(date +%s.%N) $tool \$*" >> "$work/calls.log"
TOOL
    chmod +x "$work/bin/$tool"
done
touch "$work/calls.log"

name=$(basename "$0" .sh)
say() { echo "$name: $*"; }
fail() {
    echo "$name: FAIL: $*" >&2
    [ -s "$work/calls.log" ] && sed 's/^/  recorded: /' "$work/calls.log" >&2
    [ -s "$work/out.log" ] && sed 's/^/  program: /' "$work/out.log" >&2
    exit 1
}

# The id of the visible window whose title matches, waiting up to $2 seconds.
wait_window() {
    local id
    for _ in $(seq $(( ${2:-5} * 20 ))); do
        id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | tail -n1)
        [ -n "$id" ] && { echo "$id"; return 0; }
        sleep 0.05
    done
    return 1
}
no_window() { # title: true when no visible window has it
    [ -z "$(xdotool search --onlyvisible --name "$1" 2>/dev/null)" ]
}

start_program() {
    PATH="$work/bin:$PATH" "$binary" > "$work/out.log" 2>&1 &
    pid=$!
    main=$(wait_window '^Morvane_V1.0$' 20) || fail "no window titled Morvane_V1.0"
    sleep 2.5 # the loading animation takes 1.6 s
    alive || fail "the program ended by itself"
}
alive() { kill -0 "$pid" 2>/dev/null; }

# Keys go to the focused window, as a user types them.
focus() { xdotool windowfocus --sync "$1" 2>/dev/null || xdotool windowfocus "$1"; sleep 0.15; }
keys() { # window key...
    focus "$1"
    shift
    xdotool key --delay 60 "$@"
    sleep 0.2
}
type_text() { # window text
    focus "$1"
    xdotool type --delay 60 "$2"
    sleep 0.2
}

# Clicks the middle of a control given in twips (left, top, width, height) of a
# window's client area; `dy` moves it down by a menu bar above the client area.
click_twips() { # window left top width height [dy]
    local x=$(( ($2 + $4 / 2) / 15 )) y=$(( ($3 + $5 / 2) / 15 + ${6:-0} ))
    xdotool mousemove --window "$1" "$x" "$y" click 1
    sleep 0.25
}
dblclick_twips() { # window left top
    xdotool mousemove --window "$1" $(( $2 / 15 )) $(( $3 / 15 )) click --repeat 2 --delay 80 1
    sleep 0.25
}

# Answers the next box with this title by a key (Return takes its default button) and
# waits until it is gone, so that a box with the same title after it is not taken for it.
answer_box() { # title key
    local box
    box=$(wait_window "^$1\$" 5) || fail "no box titled $1"
    keys "$box" "$2"
    wait_gone "$box" || fail "the box $1 stayed after $2"
}

calls() { wc -l < "$work/calls.log"; }
# Exactly these launches so far, in this order (the tools' names and arguments).
expect_calls() {
    local got
    got=$(cut -d' ' -f2- "$work/calls.log")
    [ "$got" = "$(printf '%s\n' "$@" | sed '/^$/d')" ] || fail "expected launches: [$*], got: [$got]"
}
# Waits until the number of launches reaches n (up to $2 seconds).
wait_calls() {
    for _ in $(seq $(( $2 * 20 ))); do
        [ "$(calls)" -ge "$1" ] && return 0
        sleep 0.05
    done
    return 1
}
# Seconds between the first launch and a time taken with `date +%s.%N`.
launched_after() { awk -v s="$1" 'NR == 1 { printf "%.2f", $1 - s }' "$work/calls.log"; }

# --- Looking at what a window shows, from outside

# Tries a check again and again for up to 3 s until it holds: repainting, a box coming or
# going, all take their time on a loaded machine.
wait_until() { # command...
    for _ in $(seq 15); do
        "$@" && return 0
        sleep 0.2
    done
    return 1
}

# The height of the main window's menu bar, 0 while it has none: its client area is 2595
# twips high and the window grows by the bar.
menu_bar_height() {
    local HEIGHT
    eval "$(xdotool getwindowgeometry --shell "$main" | grep '^HEIGHT=')"
    echo $(( HEIGHT - 2595 / 15 ))
}
menu_bar_shown() { [ "$(menu_bar_height)" -gt 0 ]; }
menu_bar_hidden() { [ "$(menu_bar_height)" -eq 0 ]; }

# The number of pixels of one colour in a rectangle of a window's client area, given in
# twips like click_twips (left, top, width, height, then the menu bar's height in pixels).
# The colours are what the program paints its verdicts and warnings in: red (255),
# green (0xC000), and white, the background of a text box.
pixels() { # window colour left top width height [dy]
    local x=$(( $3 / 15 )) y=$(( $4 / 15 + ${7:-0} )) w=$(( $5 / 15 )) h=$(( $6 / 15 ))
    import -window "$1" -crop "${w}x${h}+${x}+${y}" +repage -depth 8 txt:- 2>/dev/null |
        awk -v colour="$2" -F'[(),]' '
            NR > 1 {
                r = $3; g = $4; b = $5
                if (colour == "red" && r >= 200 && g <= 80 && b <= 80) n++
                if (colour == "green" && g >= 150 && r <= 80 && b <= 80) n++
                if (colour == "white" && r >= 250 && g >= 250 && b >= 250) n++
            }
            END { print n + 0 }'
}
# A patch of that colour is painted there (more than a few stray pixels of an edge), or
# not a single pixel of it.
shows() { [ "$(pixels "$@")" -gt 20 ]; }
lacks() { [ "$(pixels "$@")" -eq 0 ]; }

# The text of a field, read as a user would copy it: a click into it, Ctrl+A, Ctrl+C. The
# clipboard holds a marker before, so a copy that does not happen is not mistaken for an
# earlier one.
field_text() { # window left top width height [dy]
    local marker='(nothing copied)' text
    printf '%s' "$marker" | xclip -selection clipboard >/dev/null 2>&1
    click_twips "$@"
    keys "$1" ctrl+a ctrl+c
    for _ in $(seq 30); do
        text=$(xclip -o -selection clipboard 2>/dev/null) || text=$marker
        [ "$text" != "$marker" ] && break
        sleep 0.1
    done
    echo "$text"
}

# The program's visible windows other than the main one (boxes, an opened menu).
other_windows() { xdotool search --onlyvisible --pid "$pid" 2>/dev/null | grep -vx "$main" || true; }
# Waits until a window is gone (up to 5 s).
wait_gone() { # window
    for _ in $(seq 100); do
        xdotool search --onlyvisible --pid "$pid" 2>/dev/null | grep -qx "$1" || return 0
        sleep 0.05
    done
    return 1
}

# Chooses item n (0 for the first) of the menu 多功能 with the mouse: a click on the menu
# bar opens it, a click in the middle of the item's sixth of its height chooses it.
menu_item() { # n
    local menu X Y WIDTH HEIGHT
    xdotool mousemove --window "$main" 25 10 click 1
    for _ in $(seq 60); do
        menu=$(other_windows | tail -n1)
        [ -n "$menu" ] && break
        sleep 0.05
    done
    [ -n "$menu" ] || fail "the menu 多功能 did not open"
    eval "$(xdotool getwindowgeometry --shell "$menu")"
    xdotool mousemove $(( X + WIDTH / 2 )) $(( Y + HEIGHT * (2 * $1 + 1) / 12 )) click 1
    wait_gone "$menu" || fail "the menu 多功能 stayed open"
    sleep 0.2
}

# A close request on a window, as the window manager sends it for a click on the close box.
close_request() { # window
    python3 "$(dirname "${BASH_SOURCE[0]}")/close_request.py" "$1" || fail "could not ask $1 to close"
    sleep 0.3
}

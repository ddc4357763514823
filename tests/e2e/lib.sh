# Shared by the end-to-end scenarios: the real program under a virtual X server,
# driven through real input events (XTEST, by xdotool). The power tools are stand-ins
# first on PATH that only write down how they were called, so nothing here can switch
# the computer off. Sourced by each scenario, which is started as
#
#   scenario.sh path/to/morvane
set -euo pipefail

binary=$(realpath "$1")
if [ -z "${E2E_INNER:-}" ]; then
    exec env E2E_INNER=1 xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$binary"
fi

unset QT_QPA_PLATFORM                              # a real (virtual) X display
export DBUS_SYSTEM_BUS_ADDRESS=unix:path=/nonexistent # never a sleep lock on this machine's bus
export XDG_SESSION_ID=e2e7                         # what log-off names
work=$(mktemp -d)
pid=
trap '[ -n "$pid" ] && kill "$pid" 2>/dev/null; rm -rf "$work"' EXIT
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

# Answers the next box with this title by a key (Return takes its default button).
answer_box() { # title key
    local box
    box=$(wait_window "^$1\$" 5) || fail "no box titled $1"
    keys "$box" "$2"
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

#!/usr/bin/env bash
# At 125 % and 150 % (the screen's scale factor) a frame is drawn whole: the clock-time window's
# "请输入" ends in its bottom edge, a row darker than the window's face just below it.
# shellcheck source=SCRIPTDIR/lib.sh
source "$(dirname "$0")/lib.sh"
# How much darker than the row below them the darkest of rows $2 to $3 of window $1 is, across
# the frame, in levels of grey.
edge() { # window first last
    read -r x _ w _ <<< "${layout[Form5 Frame1]}"
    convert x:"$1" -crop "$(at $((w - 8)))x$(($3 - $2 + 2))+$(at $((x + 4)))+$2" -colorspace gray \
        -scale "1x$(($3 - $2 + 2))!" -depth 8 txt:- |
        awk -F'[()]' 'NR > 1 { v[NR] = $2 + 0 } END { m = 255; for (i = 2; i < NR; i++) if (v[i] < m) m = v[i]; print v[NR] - m }'
}
for scale in 1.25 1.5; do
    export QT_SCALE_FACTOR=$scale WINEQT_SCALE_FACTOR=$scale
    start_program
    click Form1 Command7
    Form5=$(within 10 window Morvane) || fail "关机2 opened no clock-time window at $scale"
    sleep 1
    read -r _ y _ h <<< "${layout[Form5 Frame1]}"
    [ "$(edge "$Form5" $(($(at $((y + h))) - 4)) "$(at $((y + h)))")" -ge 10 ] || fail "at $scale the frame has no bottom edge"
    kill "$pid"
    wait "$pid" 2>/dev/null || true
done
echo "$name: the frame is drawn whole at 125 % and 150 %"

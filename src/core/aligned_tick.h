#pragma once

#include <QTime>

// The time from `now` to the next moment that lies `afterMs` after a whole multiple of
// `intervalMs` since midnight; never 0, so a firing at that moment aims at the next one.
int msToAlignedTick(const QTime &now, int intervalMs, int afterMs);

// When a timer ticking by its rhythm is due next, as it fires at `nowMs` with this firing
// due at `dueMs`: one interval on, or one interval from now when it fell a whole interval
// behind (a busy machine), so that it never fires in a burst to catch up.
qint64 nextRhythmDue(qint64 dueMs, qint64 nowMs, int intervalMs);

#include "core/aligned_tick.h"

int msToAlignedTick(const QTime &now, int intervalMs, int afterMs)
{
    const int sincePhase = ((now.msecsSinceStartOfDay() - afterMs) % intervalMs + intervalMs) % intervalMs;
    return intervalMs - sincePhase;
}

qint64 nextRhythmDue(qint64 dueMs, qint64 nowMs, int intervalMs)
{
    const qint64 next = dueMs + intervalMs;
    return next < nowMs ? nowMs + intervalMs : next;
}

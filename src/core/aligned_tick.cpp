#include "core/aligned_tick.h"

int msToAlignedTick(const QTime &now, int intervalMs, int afterMs)
{
    const int sincePhase = ((now.msecsSinceStartOfDay() - afterMs) % intervalMs + intervalMs) % intervalMs;
    return intervalMs - sincePhase;
}

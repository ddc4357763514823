#pragma once

#include <QTime>

// The time from `now` to the next moment that lies `afterMs` after a whole multiple of
// `intervalMs` since midnight; never 0, so a firing at that moment aims at the next one.
int msToAlignedTick(const QTime &now, int intervalMs, int afterMs);

#include "os/system.h"

// Qt finds the display, or says why not.
QString missingDisplay()
{
    return {};
}

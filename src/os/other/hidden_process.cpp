#include "os/system.h"

void hideProcessWindow(QProcess &) {}

#include "platform/hidden_process.h"

// Programs started here never get a window of their own.
void hideProcessWindow(QProcess &) {}

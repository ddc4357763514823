#pragma once

class QProcess;

// Asks the system not to open a console window for the launched program.
void hideProcessWindow(QProcess &process);

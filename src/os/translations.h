#pragma once

#include <QStringList>

class QTranslator;

// Where Qt's own texts are looked for, in order: where Qt keeps its translations, then
// "translations" beside the program (the Windows program folder carries them there).
QStringList qtTranslationFolders();

// Loads Qt's own texts in Simplified Chinese (the text boxes' context menus, Qt's standard
// buttons and dialogs) into `translator` and installs it, whatever the system's language:
// the program speaks Chinese throughout. False when they are found in none of the folders.
bool installQtTranslations(QTranslator &translator);

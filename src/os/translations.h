#pragma once

class QTranslator;

// Loads Qt's own texts in Simplified Chinese (the text boxes' context menus, Qt's standard
// buttons and dialogs) into `translator` and installs it, whatever the system's language:
// the program speaks Chinese throughout. Looks where Qt keeps its translations, then in
// "translations" beside the program. False when they are found in neither place.
bool installQtTranslations(QTranslator &translator);

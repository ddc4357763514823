#include "os/translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

bool installQtTranslations(QTranslator &translator)
{
    const QString name = QStringLiteral("qtbase_zh_CN");
    const bool loaded =
        translator.load(name, QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
        translator.load(name, QCoreApplication::applicationDirPath() + QStringLiteral("/translations"));
    return loaded && QCoreApplication::installTranslator(&translator);
}

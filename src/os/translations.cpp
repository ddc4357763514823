#include "os/translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

QStringList qtTranslationFolders()
{
    return {QLibraryInfo::path(QLibraryInfo::TranslationsPath),
            QCoreApplication::applicationDirPath() + QStringLiteral("/translations")};
}

bool installQtTranslations(QTranslator &translator)
{
    for (const QString &folder : qtTranslationFolders())
        if (translator.load(QStringLiteral("qtbase_zh_CN"), folder))
            return QCoreApplication::installTranslator(&translator);
    return false;
}

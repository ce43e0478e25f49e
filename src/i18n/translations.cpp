#include "i18n/translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace {

bool installOne(QCoreApplication *application, const QLocale &locale, const QString &name, const QString &folder)
{
    auto *translator = new QTranslator(application);
    if (!translator->load(locale, name, QStringLiteral("_"), folder)) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

} // namespace

bool Translations::install(QCoreApplication *application, const QLocale &locale)
{
    installOne(application, locale, QStringLiteral("qtbase"), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    return installOne(application, locale, QStringLiteral("kelvarine"), QStringLiteral(":/i18n"));
}

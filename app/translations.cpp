#include "app/translations.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <memory>
#include <vector>

namespace Translations {

namespace {

std::vector<std::unique_ptr<QTranslator>> &Installed()
{
    static std::vector<std::unique_ptr<QTranslator>> translators;
    return translators;
}

} // namespace

QString Folder()
{
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("../share/lodex/translations"));
}

void Install(const QLocale &locale)
{
    for (const auto &translator : Installed())
        QCoreApplication::removeTranslator(translator.get());
    Installed().clear();
    // Qt's own first: a text of Lodex's wins where both have one.
    const std::pair<QString, QString> sets[] = {
        {QStringLiteral("qtbase"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)},
        {QStringLiteral("lodex"), Folder()}};
    for (const auto &[name, folder] : sets) {
        auto translator = std::make_unique<QTranslator>();
        if (translator->load(locale, name, QStringLiteral("_"), folder) &&
            QCoreApplication::installTranslator(translator.get()))
            Installed().push_back(std::move(translator));
    }
}

} // namespace Translations

#include "resources/versioninfo.h"

#include "lodex_version.h"
#include "lodex_versioninfo.h"

#include <QCoreApplication>

namespace {

QString Tr(const char *text)
{
    return QCoreApplication::translate("CVersionInfo", text);
}

} // namespace

QString CVersionInfo::DottedVersion() const
{
    return QStringLiteral("%1.%2.%3.%4")
        .arg(m_fileVersion[0])
        .arg(m_fileVersion[1])
        .arg(m_fileVersion[2])
        .arg(m_fileVersion[3]);
}

CVersionInfo CVersionInfo::ThisProgram()
{
    CVersionInfo info;
    info.m_bHasFixedVersion = true;
    info.m_fileVersion = {LODEX_VERSION_MAJOR, LODEX_VERSION_MINOR, LODEX_VERSION_PATCH, LODEX_VERSION_TWEAK};
    const QString numbers = QStringLiteral("%1, %2, %3, %4")
                                .arg(LODEX_VERSION_MAJOR)
                                .arg(LODEX_VERSION_MINOR)
                                .arg(LODEX_VERSION_PATCH)
                                .arg(LODEX_VERSION_TWEAK);
    info.m_strings = {
        {QStringLiteral("CompanyName"), QStringLiteral(LODEX_INFO_COMPANY_NAME)},
        {QStringLiteral("ProductName"), QStringLiteral(LODEX_INFO_PRODUCT_NAME)},
        {QStringLiteral("FileDescription"),
         Tr(QT_TRANSLATE_NOOP("CVersionInfo", "Keeps the reflector lists of the Enhanced CU-SeeMe client"))},
        {QStringLiteral("Comments"),
         Tr(QT_TRANSLATE_NOOP("CVersionInfo", "Problem reports: %1")).arg(QStringLiteral(LODEX_INFO_CONTACT_EMAIL))},
        {QStringLiteral("LegalCopyright"),
         Tr(QT_TRANSLATE_NOOP("CVersionInfo", "Copyright 2026 Quorv, GPL-3.0-or-later"))},
        {QStringLiteral("LegalTrademarks"),
         Tr(QT_TRANSLATE_NOOP("CVersionInfo", "Enhanced CU-SeeMe is a trademark of its owner."))},
        {QStringLiteral("InternalName"), QStringLiteral(LODEX_INFO_INTERNAL_NAME)},
        {QStringLiteral("OriginalFilename"), QStringLiteral(LODEX_INFO_ORIGINAL_FILENAME)},
        {QStringLiteral("FileVersion"), numbers},
        {QStringLiteral("ProductVersion"), numbers},
    };
    return info;
}

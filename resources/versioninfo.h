#pragma once

#include <QMap>
#include <QString>

#include <array>
#include <cstdint>

// The program's version record: the four version numbers and the named
// texts ("CompanyName", "ProductName", "FileDescription", "Comments",
// "LegalCopyright", "LegalTrademarks" ...). The About box reads every line
// from it, so a build always describes itself; tests hand the box records
// with entries missing.
struct CVersionInfo {
    bool m_bHasFixedVersion = false;
    std::array<uint16_t, 4> m_fileVersion{}; // major, minor, release, build
    QMap<QString, QString> m_strings;

    // The text of `key`, or an empty string when the record has none.
    QString Value(const QString &key) const { return m_strings.value(key); }

    // The four numbers joined by dots ("1.1.5.6"), as --version prints them.
    QString DottedVersion() const;

    // The record compiled into this build, its sentences in the user's
    // language.
    static CVersionInfo ThisProgram();
};

#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// One file of the per-user registration, relative to the user's data folder
// ($XDG_DATA_HOME).
struct RegistrationFile {
    QString relativePath;
    QByteArray contents;
};

// The desktop entry, MIME package and icons that make the desktop know
// Lodex for one user, pointing at the program at `executable`.
QList<RegistrationFile> UserRegistrationFiles(const QString &executable);

// `entry` (a desktop entry) with its Exec program and TryExec replaced by
// the absolute `executable`; everything else stays as it is.
QByteArray DesktopEntryFor(const QByteArray &entry, const QString &executable);

// One argument of a desktop entry's Exec key, quoted and escaped so that
// the desktop hands it to the program unchanged.
QString QuoteExecArgument(const QString &argument);

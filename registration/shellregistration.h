#pragma once

#include "registration/registrationfiles.h"

#include <QList>
#include <QString>
#include <QStringList>

// The freedesktop folders the registration works in.
struct XdgLocations {
    QString dataHome;     // $XDG_DATA_HOME, ~/.local/share by default
    QString configHome;   // $XDG_CONFIG_HOME, ~/.config by default
    QStringList dataDirs; // $XDG_DATA_DIRS, /usr/local/share:/usr/share by default

    static XdgLocations FromEnvironment();
};

// Makes the .ldx type known to the desktop for the current user, without
// root: desktop entry, MIME package and icons under the user's data folder,
// the MIME and desktop databases refreshed, Lodex made the type's default.
//
// Everything Register writes or creates is noted in a manifest, so that
// Unregister removes exactly that and no file Lodex did not write.
class CShellRegistration
{
public:
    explicit CShellRegistration(XdgLocations where);

    // Writes `files` (relative to the data folder). An existing file that
    // Lodex did not write stops it before anything is changed. Registering
    // again replaces the earlier registration. `error` explains a false.
    bool Register(const QList<RegistrationFile> &files, QString *error = nullptr);

    enum class Removal { Removed, NotRegistered, Failed };
    Removal Unregister(QString *error = nullptr);

    bool IsRegistered() const;

    // True when some desktop entry, for the user or system-wide, already
    // opens the .ldx type. Cheap: a few file tests and one small read per
    // data folder.
    bool TypeHasHandler() const;

    QString ManifestPath() const;

private:
    XdgLocations m_where;
};

// True when `executable` sits in an installed prefix (its desktop entry in
// ../share/applications), which the user's folders must then be left alone for.
bool IsInstalledCopy(const QString &executable);

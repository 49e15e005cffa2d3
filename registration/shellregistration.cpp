#include "registration/shellregistration.h"

#include "base/regularfile.h"
#include "base/safesave.h"
#include "registration/desktopidentity.h"
#include "registration/mimeappslist.h"
#include "registration/registrationmanifest.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace {

// A cache the desktop builds from a folder of source files, and the tool
// that rebuilds it.
struct DesktopDatabase {
    const char *folder;        // under the data folder
    const char *tool;
    const char *sourceFolder;  // under `folder`
    const char *sourcePattern;
    bool outputsAreEverythingElse; // mime: every other entry is the tool's
    const char *output;            // applications: just this one
};

const DesktopDatabase kDatabases[] = {
    {"mime", "update-mime-database", "packages", "*.xml", true, nullptr},
    {"applications", "update-desktop-database", ".", "*.desktop", false, "mimeinfo.cache"},
};

QString Join(const QString &folder, const QString &name)
{
    return QDir(folder).filePath(name);
}

bool HasSources(const DesktopDatabase &db, const QString &folder)
{
    const QDir sources(Join(folder, QLatin1String(db.sourceFolder)));
    return !sources.entryList({QLatin1String(db.sourcePattern)}, QDir::Files | QDir::Hidden).isEmpty();
}

// The database files the tool keeps in `folder`, as absolute paths.
QStringList Outputs(const DesktopDatabase &db, const QString &folder)
{
    QStringList outputs;
    if (db.outputsAreEverythingElse) {
        const QDir dir(folder);
        for (const QString &name : dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot))
            if (name != QLatin1String(db.sourceFolder))
                outputs.append(dir.filePath(name));
    } else if (QFileInfo::exists(Join(folder, QLatin1String(db.output)))) {
        outputs.append(Join(folder, QLatin1String(db.output)));
    }
    return outputs;
}

// Runs the database tool on `folder` when the system has it; a missing
// tool is no failure, the desktop then rescans by itself.
bool RefreshDatabase(const DesktopDatabase &db, const QString &folder, QString *error)
{
    const QString tool = QStandardPaths::findExecutable(QLatin1String(db.tool));
    if (tool.isEmpty() || !QFileInfo(folder).isDir())
        return true;
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(tool, {folder});
    const bool finished = process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit;
    if (finished && process.exitCode() == 0)
        return true;
    const QString output = QString::fromLocal8Bit(process.readAll()).trimmed();
    *error = QCoreApplication::translate("CShellRegistration", "%1 failed on %2: %3")
                   .arg(QLatin1String(db.tool), folder, finished && !output.isEmpty() ? output : process.errorString());
    return false;
}

// Desktop files, manifests and caches are small: anything larger is not one.
constexpr qint64 kMaxDesktopFileSize = 64 << 20;

bool ReadFile(const QString &path, QByteArray *bytes, QString *error)
{
    QString why;
    if (ReadRegularFile(path, kMaxDesktopFileSize, bytes, &why))
        return true;
    *error = QCoreApplication::translate("CShellRegistration", "Cannot read %1: %2").arg(path, why);
    return false;
}

bool WriteFile(const QString &path, const QByteArray &bytes, QString *error)
{
    QString why;
    if (SaveFileSafely(path, [&bytes](QIODevice &file) { return file.write(bytes) == bytes.size(); }, &why))
        return true;
    *error = QCoreApplication::translate("CShellRegistration", "Cannot write %1: %2").arg(path, why);
    return false;
}

// Creates `folder` and its missing parents, noting each one created.
bool MakeFolder(const QString &folder, QStringList *created, QString *error)
{
    QStringList missing;
    for (QString at = QDir::cleanPath(folder); !QFileInfo::exists(at); at = QFileInfo(at).path())
        missing.prepend(at);
    for (const QString &dir : missing) {
        if (!QDir().mkdir(dir)) {
            *error = QCoreApplication::translate("CShellRegistration", "Cannot create the folder %1").arg(dir);
            return false;
        }
        created->append(dir);
    }
    return true;
}

// Removes those of `folders` that are empty, the last listed first (the
// innermost, when they were listed as created); a folder that holds
// anything, and whatever is not a folder, stays.
void RemoveEmptyFolders(const QStringList &folders)
{
    for (auto it = folders.crbegin(); it != folders.crend(); ++it)
        QDir().rmdir(*it);
}

bool RemoveEntry(const QString &path)
{
    const QFileInfo info(path);
    if (info.isDir() && !info.isSymLink())
        return QDir(path).removeRecursively();
    return !info.exists() && !info.isSymLink() ? true : QFile::remove(path);
}

// Takes back what `manifest` records, as far as it can; what cannot be
// taken back is named in `problems`.
class CRegistrationUndo
{
public:
    CRegistrationUndo(const XdgLocations &where, const RegistrationManifest &manifest)
        : m_where(where), m_manifest(manifest)
    {
    }

    // Everything but the created folders, which may still hold the manifest.
    QStringList Run()
    {
        RestoreDefault();
        RemoveFiles();
        RefreshDatabases();
        return m_problems;
    }

    void RemoveCreatedFolders() { RemoveEmptyFolders(m_manifest.createdDirectories); }

private:
    const XdgLocations &m_where;
    const RegistrationManifest &m_manifest;
    QStringList m_problems;

    void RestoreDefault()
    {
        if (!m_manifest.defaultChange)
            return;
        const auto &change = *m_manifest.defaultChange;
        QByteArray current;
        QString problem;
        if (!QFileInfo::exists(change.path))
            return;
        if (!ReadFile(change.path, &current, &problem)) {
            m_problems.append(problem);
            return;
        }
        const QByteArray mimeType = Desktop::kMimeType;
        bool ok = true;
        if (Sha256Hex(current) == change.afterSha256) {
            // Untouched since: put back the very bytes that were there.
            ok = change.before ? WriteFile(change.path, *change.before, &problem) : QFile::remove(change.path);
        } else if (MimeAppsList::DefaultFor(current, mimeType) == change.value) {
            // Edited since: take back only our key.
            ok = WriteFile(change.path, MimeAppsList::WithDefault(current, mimeType, change.previous), &problem);
        }
        if (!ok)
            m_problems.append(problem.isEmpty() ? QCoreApplication::translate("CShellRegistration", "Cannot restore %1")
                                                      .arg(change.path)
                                                : problem);
    }

    void RemoveFiles()
    {
        for (const auto &file : m_manifest.files) {
            QByteArray current;
            QString problem;
            if (!QFileInfo::exists(file.path))
                continue;
            // A file changed since it was written is the user's now.
            if (!ReadFile(file.path, &current, &problem) || Sha256Hex(current) != file.sha256)
                continue;
            if (!QFile::remove(file.path))
                m_problems.append(QCoreApplication::translate("CShellRegistration", "Cannot remove %1").arg(file.path));
        }
    }

    bool Touches(const QString &folder) const
    {
        const QString prefix = folder + QLatin1Char('/');
        for (const auto &file : m_manifest.files)
            if (file.path.startsWith(prefix))
                return true;
        return !GeneratedIn(folder).isEmpty();
    }

    QStringList GeneratedIn(const QString &folder) const
    {
        QStringList inside;
        for (const QString &path : m_manifest.generatedFiles)
            if (path.startsWith(folder + QLatin1Char('/')))
                inside.append(path);
        return inside;
    }

    void RefreshDatabases()
    {
        for (const DesktopDatabase &db : kDatabases) {
            const QString folder = Join(m_where.dataHome, QLatin1String(db.folder));
            if (!Touches(folder))
                continue;
            QStringList olderOutputs = Outputs(db, folder);
            for (const QString &generated : m_manifest.generatedFiles)
                olderOutputs.removeAll(generated);
            const bool sourcesRemain = HasSources(db, folder);
            QString problem;
            if ((sourcesRemain || !olderOutputs.isEmpty()) && !RefreshDatabase(db, folder, &problem))
                m_problems.append(problem);
            // Once no sources are left, what the tool made for us goes too.
            // Otherwise the tool keeps its outputs, but leaves the folders
            // it made for our type behind empty (mime/application).
            const QStringList generated = GeneratedIn(folder);
            if (!sourcesRemain) {
                for (const QString &path : generated)
                    if (!RemoveEntry(path))
                        m_problems.append(
                            QCoreApplication::translate("CShellRegistration", "Cannot remove %1").arg(path));
            } else {
                RemoveEmptyFolders(generated);
            }
        }
    }
};

QString EnvironmentPath(const char *name, const QString &fallback)
{
    const QString value = qEnvironmentVariable(name);
    // Relative paths in these variables are invalid and ignored.
    return QDir::isAbsolutePath(value) ? QDir::cleanPath(value) : fallback;
}

} // namespace

XdgLocations XdgLocations::FromEnvironment()
{
    const QString home = QDir::homePath();
    XdgLocations where;
    where.dataHome = EnvironmentPath("XDG_DATA_HOME", Join(home, QStringLiteral(".local/share")));
    where.configHome = EnvironmentPath("XDG_CONFIG_HOME", Join(home, QStringLiteral(".config")));
    const QString dirs = qEnvironmentVariable("XDG_DATA_DIRS");
    for (const QString &dir : dirs.split(QLatin1Char(':'), Qt::SkipEmptyParts))
        if (QDir::isAbsolutePath(dir))
            where.dataDirs.append(QDir::cleanPath(dir));
    if (where.dataDirs.isEmpty())
        where.dataDirs = QStringList{QStringLiteral("/usr/local/share"), QStringLiteral("/usr/share")};
    return where;
}

CShellRegistration::CShellRegistration(XdgLocations where) : m_where(std::move(where)) {}

QString CShellRegistration::ManifestPath() const
{
    return Join(m_where.dataHome, QStringLiteral("Quorv/Lodex/registration.json"));
}

bool CShellRegistration::IsRegistered() const
{
    return QFileInfo::exists(ManifestPath());
}

bool CShellRegistration::Register(const QList<RegistrationFile> &files, QString *error)
{
    QString why;
    if (IsRegistered() && Unregister(&why) == Removal::Failed) {
        if (error)
            *error = why;
        return false;
    }
    for (const RegistrationFile &file : files) {
        const QString path = Join(m_where.dataHome, file.relativePath);
        if (QFileInfo::exists(path) || QFileInfo(path).isSymLink()) {
            if (error)
                *error = QCoreApplication::translate(
                               "CShellRegistration",
                               "%1 already exists and was not written by Lodex; nothing was changed.")
                               .arg(path);
            return false;
        }
    }

    RegistrationManifest manifest;
    const auto fail = [&](const QString &reason) {
        CRegistrationUndo undo(m_where, manifest);
        undo.Run();
        undo.RemoveCreatedFolders();
        if (error)
            *error = reason;
        return false;
    };

    for (const RegistrationFile &file : files) {
        const QString path = Join(m_where.dataHome, file.relativePath);
        if (!MakeFolder(QFileInfo(path).path(), &manifest.createdDirectories, &why) ||
            !WriteFile(path, file.contents, &why))
            return fail(why);
        manifest.files.append({path, Sha256Hex(file.contents)});
    }

    for (const DesktopDatabase &db : kDatabases) {
        const QString folder = Join(m_where.dataHome, QLatin1String(db.folder));
        const QStringList before = Outputs(db, folder);
        const bool refreshed = RefreshDatabase(db, folder, &why);
        for (const QString &output : Outputs(db, folder))
            if (!before.contains(output))
                manifest.generatedFiles.append(output);
        if (!refreshed)
            return fail(why);
    }

    // Lodex becomes the type's default application.
    const QString listPath = Join(m_where.configHome, QStringLiteral("mimeapps.list"));
    std::optional<QByteArray> before;
    if (QFileInfo::exists(listPath)) {
        before.emplace();
        if (!ReadFile(listPath, &*before, &why))
            return fail(why);
    }
    const QByteArray mimeType = Desktop::kMimeType;
    const QByteArray desktopId = Desktop::kDesktopFileName;
    const std::optional<QByteArray> previous = MimeAppsList::DefaultFor(before.value_or(QByteArray()), mimeType);
    if (previous != desktopId) {
        const QByteArray after = MimeAppsList::WithDefault(before.value_or(QByteArray()), mimeType, desktopId);
        if (!MakeFolder(m_where.configHome, &manifest.createdDirectories, &why))
            return fail(why);
        manifest.defaultChange = RegistrationManifest::DefaultChange{listPath, before, Sha256Hex(after), previous,
                                                                     desktopId};
        if (!WriteFile(listPath, after, &why))
            return fail(why);
    }

    const QString manifestPath = ManifestPath();
    if (!MakeFolder(QFileInfo(manifestPath).path(), &manifest.createdDirectories, &why) ||
        !WriteFile(manifestPath, manifest.ToJson(), &why))
        return fail(why);
    return true;
}

CShellRegistration::Removal CShellRegistration::Unregister(QString *error)
{
    const QString manifestPath = ManifestPath();
    if (!QFileInfo::exists(manifestPath))
        return Removal::NotRegistered;
    QByteArray json;
    QString why;
    if (!ReadFile(manifestPath, &json, &why)) {
        if (error)
            *error = why;
        return Removal::Failed;
    }
    const std::optional<RegistrationManifest> manifest = RegistrationManifest::FromJson(json);
    if (!manifest) {
        if (error)
            *error = QCoreApplication::translate(
                           "CShellRegistration", "The registration record %1 cannot be read; nothing was removed.")
                           .arg(manifestPath);
        return Removal::Failed;
    }
    CRegistrationUndo undo(m_where, *manifest);
    QStringList problems = undo.Run();
    // The record stays while anything is left to take back, so that
    // Unregister can be run again.
    if (problems.isEmpty() && !QFile::remove(manifestPath))
        problems.append(QCoreApplication::translate("CShellRegistration", "Cannot remove %1").arg(manifestPath));
    if (!problems.isEmpty()) {
        if (error)
            *error = problems.join(QLatin1Char('\n'));
        return Removal::Failed;
    }
    undo.RemoveCreatedFolders();
    return Removal::Removed;
}

bool CShellRegistration::TypeHasHandler() const
{
    const QByteArray key = QByteArray("\n") + Desktop::kMimeType + '=';
    for (const QString &dataDir : QStringList(m_where.dataHome) + m_where.dataDirs) {
        const QString applications = Join(dataDir, QStringLiteral("applications"));
        if (QFileInfo::exists(Join(applications, QLatin1String(Desktop::kDesktopFileName))))
            return true;
        QByteArray cache;
        QString ignored;
        if (ReadRegularFile(Join(applications, QStringLiteral("mimeinfo.cache")), kMaxDesktopFileSize, &cache, &ignored)
            && cache.contains(key))
            return true;
    }
    return false;
}

bool IsInstalledCopy(const QString &executable)
{
    const QString prefix = QFileInfo(executable).absolutePath() + QStringLiteral("/..");
    return QFileInfo::exists(QDir::cleanPath(prefix + QStringLiteral("/share/applications/") +
                                             QLatin1String(Desktop::kDesktopFileName)));
}

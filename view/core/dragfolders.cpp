#include "view/core/dragfolders.h"

#include "base/runtimefolder.h"
#include "view/core/connectionfile.h"
#include "view/core/connectionfilenames.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <cerrno>
#include <signal.h>

namespace {

constexpr QFile::Permissions kOwnerOnly = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;

bool IsProcessRunning(qint64 pid)
{
    // EPERM: it exists but belongs to someone else.
    return pid > 0 && (::kill(pid_t(pid), 0) == 0 || errno == EPERM);
}

bool MakePrivateFolder(const QString &path)
{
    QDir dir;
    return dir.exists(path) || dir.mkdir(path, kOwnerOnly);
}

bool WriteFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    // NewOnly: never write through something that is already there.
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return false;
    const bool written = file.write(bytes) == bytes.size();
    file.close();
    return written && file.error() == QFileDevice::NoError;
}

} // namespace

CDragFolders::CDragFolders(const QString &base)
    : m_strBase(base)
{
}

CDragFolders::~CDragFolders()
{
    if (HasBase())
        QDir(RunFolder()).removeRecursively();
}

QString CDragFolders::DefaultBase()
{
    const QString runtime = UserRuntimeFolder();
    return runtime.isEmpty() ? QString() : QDir(runtime).filePath(QStringLiteral("lodex-drag"));
}

bool CDragFolders::HasBase() const
{
    // A relative base would be the current folder, where other runs' folders
    // cannot be told from the user's own.
    return QDir::isAbsolutePath(m_strBase);
}

QString CDragFolders::RunFolder() const
{
    if (!HasBase())
        return QString();
    return QDir(m_strBase).filePath(QString::number(QCoreApplication::applicationPid()));
}

void CDragFolders::SweepLeftovers()
{
    if (!HasBase())
        return;
    const QDir base(m_strBase);
    const QStringList runs = base.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString &run : runs) {
        bool isNumber = false;
        const qint64 pid = run.toLongLong(&isNumber);
        // Names that are not process ids are not ours to remove.
        if (isNumber && pid != QCoreApplication::applicationPid() && !IsProcessRunning(pid))
            QDir(base.filePath(run)).removeRecursively();
    }
}

QString CDragFolders::NewDragFolder()
{
    if (!HasBase() || !MakePrivateFolder(m_strBase) || !MakePrivateFolder(RunFolder()))
        return {};
    QDir run(RunFolder());
    for (const QString &old : run.entryList(QDir::Dirs | QDir::NoDotAndDotDot))
        QDir(run.filePath(old)).removeRecursively();
    const QString folder = run.filePath(QString::number(++m_nDrags));
    return QDir().mkdir(folder, kOwnerOnly) ? folder : QString();
}

QStringList CDragFolders::WriteDragFiles(const std::vector<const CReflector *> &records)
{
    const QString folder = NewDragFolder();
    if (folder.isEmpty())
        return {};
    const QStringList names = ConnectionFileNames(records);
    QStringList paths;
    for (std::size_t i = 0; i < records.size(); ++i) {
        const QString path = QDir(folder).filePath(names[qsizetype(i)]);
        if (!WriteFile(path, ConnectionFile(*records[i]))) {
            QDir(folder).removeRecursively();
            return {};
        }
        paths << path;
    }
    return paths;
}

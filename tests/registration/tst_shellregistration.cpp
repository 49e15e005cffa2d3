#include "registration/desktopidentity.h"
#include "registration/registrationfiles.h"
#include "registration/shellregistration.h"
#include "support/testmain.h"
#include "support/testutil.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

void Put(const QString &path, const QByteArray &bytes)
{
    QVERIFY(WriteAll(path, bytes));
}

bool HaveTool(const char *name)
{
    return !QStandardPaths::findExecutable(QLatin1String(name)).isEmpty();
}

// Runs a database tool as the desktop would, quietly; absent tools are skipped.
void RunTool(const char *name, const QString &folder)
{
    if (!HaveTool(name))
        return;
    QProcess process;
    process.start(QLatin1String(name), {folder});
    QVERIFY(process.waitForFinished(60000));
}

QByteArray MimePackage(const char *type)
{
    return QByteArray("<?xml version=\"1.0\"?>\n<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
                      "<mime-type type=\"") + type + "\"><comment>Other</comment><glob pattern=\"*.oth\"/></mime-type>\n"
                      "</mime-info>\n";
}
const QByteArray kOtherDesktopEntry =
    "[Desktop Entry]\nType=Application\nName=Other\nExec=other %f\nMimeType=application/x-other;\n";

} // namespace

class ShellRegistrationTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_root;
    XdgLocations m_where;

    QString Data(const QString &relative) const { return QDir(m_where.dataHome).filePath(relative); }
    QString Config(const QString &relative) const { return QDir(m_where.configHome).filePath(relative); }
    QList<RegistrationFile> Files() const { return UserRegistrationFiles(QStringLiteral("/opt/lodex/bin/lodex")); }

    // A user who already has other types, applications and defaults.
    void FurnishHome(const char *otherType = "application/x-other")
    {
        Put(Data(QStringLiteral("mime/packages/other.xml")), MimePackage(otherType));
        Put(Data(QStringLiteral("applications/other.desktop")), kOtherDesktopEntry);
        Put(Config(QStringLiteral("mimeapps.list")),
            "# kept by hand\n[Added Associations]\napplication/x-lodex-reflectors=other.desktop;\n\n"
            "[Default Applications]\ntext/plain=other.desktop\n");
        // The databases as the desktop's tools left them.
        RunTool("update-mime-database", Data(QStringLiteral("mime")));
        RunTool("update-desktop-database", Data(QStringLiteral("applications")));
    }

private slots:
    void init()
    {
        m_root = std::make_unique<QTemporaryDir>();
        m_where.dataHome = m_root->filePath(QStringLiteral("data"));
        m_where.configHome = m_root->filePath(QStringLiteral("config"));
        m_where.dataDirs = QStringList{m_root->filePath(QStringLiteral("system"))};
    }

    void registerThenUnregisterLeavesTheFoldersAsTheyWere_data()
    {
        QTest::addColumn<QString>("home");
        QTest::addColumn<QByteArray>("previousDefault");
        QTest::newRow("nothing there yet") << "empty" << QByteArray();
        QTest::newRow("data and config folders, empty") << "folders" << QByteArray();
        QTest::newRow("other types, applications and defaults") << "furnished" << QByteArray();
        // The MIME database then has no application/ folder before.
        QTest::newRow("other types, none under application/") << "text type" << QByteArray();
        QTest::newRow("another default for the type") << "default" << QByteArray("other.desktop");
    }

    void registerThenUnregisterLeavesTheFoldersAsTheyWere()
    {
        QFETCH(QString, home);
        QFETCH(QByteArray, previousDefault);
        if (home == QLatin1String("folders")) {
            QDir().mkpath(m_where.dataHome);
            QDir().mkpath(m_where.configHome);
        } else if (home == QLatin1String("furnished")) {
            FurnishHome();
        } else if (home == QLatin1String("text type")) {
            FurnishHome("text/x-other");
        } else if (home == QLatin1String("default")) {
            Put(Config(QStringLiteral("mimeapps.list")),
                "[Default Applications]\r\napplication/x-lodex-reflectors=other.desktop\r\n");
        }
        const FolderTree before = SnapshotTree(m_root->path());

        CShellRegistration registration(m_where);
        QString problem;
        QVERIFY2(registration.Register(Files(), &problem), qPrintable(problem));
        QVERIFY(registration.IsRegistered());
        for (const RegistrationFile &file : Files())
            QCOMPARE(ReadAll(Data(file.relativePath)), file.contents);
        const QByteArray list = ReadAll(Config(QStringLiteral("mimeapps.list")));
        QVERIFY2(list.contains("[Default Applications]"), list.constData());
        QVERIFY2(list.contains("application/x-lodex-reflectors=com.quorv.Lodex.desktop"), list.constData());
        if (!previousDefault.isEmpty())
            QVERIFY(!list.contains("application/x-lodex-reflectors=" + previousDefault));

        QCOMPARE(registration.Unregister(&problem), CShellRegistration::Removal::Removed);
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
        QVERIFY(!registration.IsRegistered());
        QCOMPARE(SnapshotTree(m_root->path()), before);
    }

    void registerRefreshesTheDesktopDatabases()
    {
        if (!HaveTool("update-mime-database") || !HaveTool("update-desktop-database"))
            QSKIP("the desktop database tools are not installed");
        CShellRegistration registration(m_where);
        QVERIFY(!registration.TypeHasHandler());
        QVERIFY(registration.Register(Files()));
        const QByteArray globs = ReadAll(Data(QStringLiteral("mime/globs2")));
        QVERIFY2(globs.contains("application/x-lodex-reflectors:*.ldx"), globs.constData());
        const QByteArray cache = ReadAll(Data(QStringLiteral("applications/mimeinfo.cache")));
        QVERIFY2(cache.contains("application/x-lodex-reflectors=com.quorv.Lodex.desktop;"), cache.constData());
        QVERIFY(registration.TypeHasHandler());
    }

    void registerAgainReplacesTheEarlierRegistration()
    {
        const FolderTree before = SnapshotTree(m_root->path());
        CShellRegistration registration(m_where);
        QVERIFY(registration.Register(UserRegistrationFiles(QStringLiteral("/old/lodex"))));
        QVERIFY(registration.Register(Files()));
        const QByteArray entry = ReadAll(Data(QStringLiteral("applications/com.quorv.Lodex.desktop")));
        QVERIFY(entry.contains("Exec=/opt/lodex/bin/lodex /dde %f"));
        QCOMPARE(registration.Unregister(), CShellRegistration::Removal::Removed);
        QCOMPARE(SnapshotTree(m_root->path()), before);
    }

    void registerLeavesFilesItDidNotWrite()
    {
        const QString foreign = Data(QStringLiteral("icons/hicolor/scalable/apps/com.quorv.Lodex.svg"));
        Put(foreign, "<svg>the user's own</svg>");
        const FolderTree before = SnapshotTree(m_root->path());
        CShellRegistration registration(m_where);
        QString problem;
        QVERIFY(!registration.Register(Files(), &problem));
        QVERIFY2(problem.contains(foreign), qPrintable(problem));
        QVERIFY(!registration.IsRegistered());
        QCOMPARE(SnapshotTree(m_root->path()), before);
    }

    void failedRegisterTakesBackWhatItDid()
    {
        // The icons folder cannot be made: a file stands in its way.
        Put(Data(QStringLiteral("icons")), "not a folder");
        const FolderTree before = SnapshotTree(m_root->path());
        CShellRegistration registration(m_where);
        QString problem;
        QVERIFY(!registration.Register(Files(), &problem));
        QVERIFY2(problem.contains(QLatin1String("icons")), qPrintable(problem));
        QCOMPARE(SnapshotTree(m_root->path()), before);
    }

    void failingDatabaseToolUndoesTheRegistration()
    {
        // A database tool that fails, found first on the PATH.
        const QString bin = m_root->filePath(QStringLiteral("bin"));
        Put(bin + QStringLiteral("/update-desktop-database"), "#!/bin/sh\necho broken database >&2\nexit 1\n");
        QFile::setPermissions(bin + QStringLiteral("/update-desktop-database"), QFileDevice::ExeOwner | QFileDevice::ReadOwner);
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", bin.toLocal8Bit() + ':' + path);
        const FolderTree before = SnapshotTree(m_root->path());
        CShellRegistration registration(m_where);
        QString problem;
        const bool registered = registration.Register(Files(), &problem);
        qputenv("PATH", path);
        QVERIFY(!registered);
        QVERIFY2(problem.contains(QLatin1String("broken database")), qPrintable(problem));
        QCOMPARE(SnapshotTree(m_root->path()), before);
    }

    void unregisterKeepsWhatTheUserChangedSince()
    {
        CShellRegistration registration(m_where);
        QVERIFY(registration.Register(Files()));
        const QString entry = Data(QStringLiteral("applications/com.quorv.Lodex.desktop"));
        Put(entry, "[Desktop Entry]\nName=My own Lodex\n");
        const QString list = Config(QStringLiteral("mimeapps.list"));
        Put(list, ReadAll(list) + "text/x-mine=mine.desktop\n");

        QCOMPARE(registration.Unregister(), CShellRegistration::Removal::Removed);
        QCOMPARE(ReadAll(entry), QByteArray("[Desktop Entry]\nName=My own Lodex\n"));
        QCOMPARE(ReadAll(list), QByteArray("[Default Applications]\ntext/x-mine=mine.desktop\n"));
        QVERIFY(!QFileInfo::exists(Data(QStringLiteral("mime/packages/com.quorv.Lodex.xml"))));
        QVERIFY(!QFileInfo::exists(Data(QStringLiteral("icons"))));
    }

    void unregisterWithoutRegistrationChangesNothing()
    {
        FurnishHome();
        const FolderTree before = SnapshotTree(m_root->path());
        QCOMPARE(CShellRegistration(m_where).Unregister(), CShellRegistration::Removal::NotRegistered);
        QCOMPARE(SnapshotTree(m_root->path()), before);
    }

    void unreadableRecordRemovesNothing()
    {
        CShellRegistration registration(m_where);
        QVERIFY(registration.Register(Files()));
        Put(registration.ManifestPath(), "{ truncated");
        const FolderTree before = SnapshotTree(m_root->path());
        QString problem;
        QCOMPARE(registration.Unregister(&problem), CShellRegistration::Removal::Failed);
        QVERIFY(problem.contains(registration.ManifestPath()));
        QCOMPARE(SnapshotTree(m_root->path()), before);
    }

    void typeHasHandler_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<bool>("handled");
        QTest::newRow("nothing") << QString() << QByteArray() << false;
        QTest::newRow("user's desktop entry") << "data/applications/com.quorv.Lodex.desktop" << kOtherDesktopEntry
                                             << true;
        QTest::newRow("system-wide desktop entry")
            << "system/applications/com.quorv.Lodex.desktop" << kOtherDesktopEntry << true;
        QTest::newRow("another program for the type")
            << "system/applications/mimeinfo.cache"
            << QByteArray("[MIME Cache]\napplication/x-lodex-reflectors=other.desktop;\n") << true;
        QTest::newRow("only other types")
            << "data/applications/mimeinfo.cache"
            << QByteArray("[MIME Cache]\napplication/x-lodex-reflectors-old=other.desktop;\n") << false;
    }

    void typeHasHandler()
    {
        QFETCH(QString, file);
        QFETCH(QByteArray, contents);
        QFETCH(bool, handled);
        if (!file.isEmpty())
            Put(m_root->filePath(file), contents);
        QCOMPARE(CShellRegistration(m_where).TypeHasHandler(), handled);
    }

    void installedCopyIsRecognised()
    {
        const QString prefix = m_root->filePath(QStringLiteral("prefix"));
        Put(prefix + QStringLiteral("/share/applications/com.quorv.Lodex.desktop"), kOtherDesktopEntry);
        QVERIFY(IsInstalledCopy(prefix + QStringLiteral("/bin/lodex")));
        QVERIFY(!IsInstalledCopy(m_root->filePath(QStringLiteral("build/bin/lodex"))));
    }
};

LODEX_TEST(ShellRegistrationTest)
#include "tst_shellregistration.moc"

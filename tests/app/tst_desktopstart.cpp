// The program's start as the desktop drives it: "/Register" and
// "/Unregister", the silent registration of a first start, and the open
// requests of later starts ("/dde").
#include "app/lodexapp.h"
#include "app/mainframe.h"
#include "app/singleinstance.h"
#include "base/runtimefolder.h"
#include "data/ldxfile.h"
#include "data/lodexdoc.h"
#include "resources/strings.h"
#include "support/appfixture.h"
#include "support/testmain.h"
#include "support/testutil.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

const char *const kXdgVariables[] = {"XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_DATA_DIRS"};

QByteArray Run(QProcess &process)
{
    process.waitForFinished(20000);
    return process.readAllStandardOutput();
}

} // namespace

class DesktopStartTest : public QObject, AppFixture
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_root;
    QByteArray m_saved[3];

    QString Root(const char *relative) const { return m_root->filePath(QLatin1String(relative)); }
    QString UserEntry() const { return Root("data/applications/com.quorv.Lodex.desktop"); }

private slots:
    void init()
    {
        BeginTest();
        // A user of their own: empty data and config folders, and system
        // folders that know nothing of Lodex.
        m_root = std::make_unique<QTemporaryDir>();
        for (int i = 0; i < 3; ++i)
            m_saved[i] = qgetenv(kXdgVariables[i]);
        qputenv("XDG_DATA_HOME", Root("data").toLocal8Bit());
        qputenv("XDG_CONFIG_HOME", Root("config").toLocal8Bit());
        qputenv("XDG_DATA_DIRS", Root("system").toLocal8Bit());
    }
    void cleanup()
    {
        EndTest();
        for (int i = 0; i < 3; ++i)
            qputenv(kXdgVariables[i], m_saved[i]);
    }

    void registerOptionsRegisterAndEnd_data()
    {
        QTest::addColumn<QString>("registerOption");
        QTest::addColumn<QString>("unregisterOption");
        QTest::newRow("/Register, /Unregister") << "/Register" << "/Unregister";
        QTest::newRow("-REGSERVER, -unregserver") << "-REGSERVER" << "-unregserver";
        QTest::newRow("/regserver, -UnRegister") << "/regserver" << "-UnRegister";
    }

    void registerOptionsRegisterAndEnd()
    {
        QFETCH(QString, registerOption);
        QFETCH(QString, unregisterOption);
        const FolderTree before = SnapshotTree(m_root->path());
        QCOMPARE(App().InitInstance({registerOption}), CLodexApp::kExitSuccess);
        QCOMPARE(App().MainFrame(), nullptr);
        const QByteArray entry = ReadAll(UserEntry());
        QVERIFY2(entry.contains("Exec=" + QCoreApplication::applicationFilePath().toUtf8() + " /dde %f"),
                 entry.constData());
        QVERIFY(ReadAll(Root("config/mimeapps.list")).contains("application/x-lodex-reflectors=com.quorv.Lodex.desktop"));

        QCOMPARE(App().InitInstance({unregisterOption}), CLodexApp::kExitSuccess);
        QCOMPARE(App().MainFrame(), nullptr);
        QCOMPARE(SnapshotTree(m_root->path()), before);
        QVERIFY(m_prompts.messages.isEmpty());
    }

    void failedRegistrationIsReported()
    {
        QVERIFY(WriteAll(Root("data"), "a file where the data folder belongs"));
        QCOMPARE(App().InitInstance({QStringLiteral("/Register")}), CLodexApp::kExitFailure);
        QCOMPARE(m_prompts.messages.size(), 1);
        const QString message = m_prompts.messages[0];
        QVERIFY2(message.startsWith(LoadQString(Str::RegisterFailed).section(QStringLiteral("%1"), 0, 0))
                     && message.contains(Root("data")), qPrintable(message));
    }

    void firstStartRegistersOnlyWhereNothingHandlesTheType_data()
    {
        QTest::addColumn<QString>("systemEntry");
        QTest::addColumn<bool>("registers");
        QTest::newRow("nothing handles .ldx") << QString() << true;
        QTest::newRow("installed system-wide") << "system/applications/com.quorv.Lodex.desktop" << false;
        QTest::newRow("another program for the type") << "system/applications/mimeinfo.cache" << false;
    }

    void firstStartRegistersOnlyWhereNothingHandlesTheType()
    {
        QFETCH(QString, systemEntry);
        QFETCH(bool, registers);
        if (!systemEntry.isEmpty())
            QVERIFY(WriteAll(m_root->filePath(systemEntry),
                             "[MIME Cache]\napplication/x-lodex-reflectors=other.desktop;\n"));
        QCOMPARE(App().InitInstance({}), CLodexApp::kRunEventLoop);
        QCOMPARE(QFileInfo::exists(UserEntry()), registers);
        if (!registers)
            QVERIFY(!QFileInfo::exists(Root("data")));
        // The next start finds the type handled and changes nothing.
        App().ExitInstance();
        const FolderTree before = SnapshotTree(m_root->path());
        QCOMPARE(App().InitInstance({}), CLodexApp::kRunEventLoop);
        QCOMPARE(SnapshotTree(m_root->path()), before);
    }

    void laterStartsRequestReachesTheWindow()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("next.ldx"));
        QVERIFY(LdxFile::Save(path, SampleList(2), nullptr));
        QCOMPARE(App().InitInstance({}), CLodexApp::kRunEventLoop);
        CLodexDoc &doc = *App().Document();
        doc.SetModifiedFlag(true);
        m_prompts.answers = {CUserPrompts::IdNo};

        QProcess later;
        later.start(QStringLiteral(LODEX_BIN_DIR "/lodex-instance-helper"),
                    {UserRuntimeFolder(), path});
        QTRY_COMPARE(later.state(), QProcess::NotRunning);
        QCOMPARE(later.readAllStandardOutput(), QByteArray("forwarded\n"));
        // Opened through the normal path: the save prompt came first.
        QTRY_COMPARE(doc.GetPathName(), path);
        QCOMPARE(m_prompts.messages.size(), 1);
        QCOMPARE(doc.m_listReflectors.size(), size_t(2));
    }

    void ddeStartHandsTheFileToTheRunningLodex()
    {
        QTemporaryDir runtime;
        QProcess running;
        running.start(QStringLiteral(LODEX_BIN_DIR "/lodex-instance-helper"), {runtime.path()});
        QVERIFY(running.waitForReadyRead(10000));
        QCOMPARE(running.readLine(), QByteArray("listening\n"));

        QTemporaryDir work;
        QProcess lodex;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
        environment.insert(QStringLiteral("XDG_ACTIVATION_TOKEN"), QStringLiteral("token-7"));
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        lodex.setProcessEnvironment(environment);
        lodex.setWorkingDirectory(work.path());
        lodex.start(QStringLiteral(LODEX_BIN_DIR "/lodex"), {QStringLiteral("/dde"), QStringLiteral("list.ldx")});
        Run(lodex);
        QCOMPARE(lodex.exitCode(), 0);
        QVERIFY(running.waitForReadyRead(10000));
        QCOMPARE(running.readLine(), "open " + QDir(work.path()).filePath(QStringLiteral("list.ldx")).toLocal8Bit() +
                                         " token-7\n");
        running.closeWriteChannel();
        running.waitForFinished(5000);
    }

    void ddeStartOpensTheFileWhenItIsTheOnlyLodex()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("only.ldx"));
        QVERIFY(LdxFile::Save(path, SampleList(3), nullptr));
        QCOMPARE(App().InitInstance({QStringLiteral("/dde"), path}), CLodexApp::kRunEventLoop);
        QCOMPARE(App().Document()->GetPathName(), path);
        QVERIFY(App().MainFrame()->isVisible());
    }
};

LODEX_TEST(DesktopStartTest)
#include "tst_desktopstart.moc"

#include "app/singleinstance.h"
#include "support/testmain.h"

#include <QDataStream>
#include <QDir>
#include <QLocalSocket>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <vector>

namespace {

// A second (or first) Lodex start, run as its own process.
class Start
{
public:
    Start(const QString &runtimeFolder, const QStringList &path, const QString &workingFolder = QString(),
          const QByteArray &token = QByteArray())
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_ACTIVATION_TOKEN"), QString::fromLatin1(token));
        m_process.setProcessEnvironment(environment);
        m_process.setWorkingDirectory(workingFolder);
        m_process.start(QStringLiteral(LODEX_BIN_DIR "/lodex-instance-helper"), QStringList(runtimeFolder) + path);
    }
    ~Start()
    {
        m_process.closeWriteChannel();
        if (!m_process.waitForFinished(5000))
            m_process.kill();
        m_process.waitForFinished();
    }

    // The next line it prints, or an empty string after ten seconds.
    QByteArray Line()
    {
        while (!m_process.canReadLine())
            if (!m_process.waitForReadyRead(10000))
                return QByteArray();
        return m_process.readLine().trimmed();
    }

    int Finish()
    {
        m_process.closeWriteChannel();
        m_process.waitForFinished(10000);
        return m_process.exitStatus() == QProcess::NormalExit ? m_process.exitCode() : -1;
    }

    void Kill()
    {
        m_process.kill();
        m_process.waitForFinished();
    }

private:
    QProcess m_process;
};

QByteArray Framed(const QByteArray &body)
{
    QByteArray message;
    QDataStream(&message, QIODevice::WriteOnly) << quint32(body.size());
    return message + body;
}

} // namespace

class SingleInstanceTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_runtime;

private slots:
    void init()
    {
        // Each test starts with no instance and nothing left behind.
        for (const QString &name : QDir(m_runtime.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System))
            QFile::remove(m_runtime.filePath(name));
    }

    void openRequestReachesTheRunningInstance()
    {
        Start first(m_runtime.path(), {});
        QCOMPARE(first.Line(), QByteArray("listening"));

        QTemporaryDir work;
        Start second(m_runtime.path(), {QStringLiteral("list.ldx")}, work.path(), "token-42");
        QCOMPARE(second.Line(), QByteArray("forwarded"));
        QCOMPARE(second.Finish(), 0);
        // The path arrives absolute, resolved in the second start's folder.
        QCOMPARE(first.Line(), "open " + QDir(work.path()).filePath(QStringLiteral("list.ldx")).toLocal8Bit() +
                                   " token-42");
    }

    void withoutARunningInstanceTheStartOpensItself()
    {
        Start only(m_runtime.path(), {QStringLiteral("/tmp/a.ldx")});
        QCOMPARE(only.Line(), QByteArray("listening"));
    }

    void socketLeftByACrashIsReplaced()
    {
        Start crashed(m_runtime.path(), {});
        QCOMPARE(crashed.Line(), QByteArray("listening"));
        crashed.Kill();
        const QString socket = CSingleInstance(m_runtime.path()).SocketPath();
        QVERIFY(QFileInfo::exists(socket));

        Start next(m_runtime.path(), {QStringLiteral("/tmp/a.ldx")});
        QCOMPARE(next.Line(), QByteArray("listening"));
        Start after(m_runtime.path(), {QStringLiteral("/tmp/b.ldx")});
        QCOMPARE(after.Line(), QByteArray("forwarded"));
        QCOMPARE(next.Line(), QByteArray("open /tmp/b.ldx"));
    }

    void startsAtOnceAgreeOnOneInstance()
    {
        std::vector<std::unique_ptr<Start>> starts;
        for (const char *path : {"/tmp/1.ldx", "/tmp/2.ldx", "/tmp/3.ldx", "/tmp/4.ldx"})
            starts.push_back(std::make_unique<Start>(m_runtime.path(), QStringList(QLatin1String(path))));
        Start *listener = nullptr;
        int forwarded = 0;
        for (auto &start : starts) {
            const QByteArray line = start->Line();
            if (line == "listening") {
                QVERIFY2(!listener, "two instances listen");
                listener = start.get();
            } else {
                QCOMPARE(line, QByteArray("forwarded"));
                ++forwarded;
            }
        }
        QVERIFY(listener);
        QCOMPARE(forwarded, 3);
        QSet<QByteArray> opened;
        for (int i = 0; i < 3; ++i)
            opened.insert(listener->Line());
        QCOMPARE(opened.size(), 3);
    }

    void requestsAreAnsweredOneByOne_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<char>("answer");
        QTest::addColumn<QString>("opened");
        QTest::newRow("absolute path") << CSingleInstance::Encode({QStringLiteral("/srv/x.ldx"), "t"}) << 'A'
                                       << "/srv/x.ldx";
        QTest::newRow("activate only") << CSingleInstance::Encode({QString(), QByteArray()}) << 'A' << "";
        QTest::newRow("relative path") << CSingleInstance::Encode({QStringLiteral("x.ldx"), ""}) << 'R' << QString();
        QTest::newRow("wrong magic") << Framed("LODX....") << 'R' << QString();
        QTest::newRow("length too large") << QByteArray("\x7F\xFF\xFF\xFF", 4) << 'R' << QString();
        QByteArray trailing = CSingleInstance::Encode({QStringLiteral("/x"), ""});
        trailing = Framed(trailing.mid(4) + "junk");
        QTest::newRow("junk after the request") << trailing << 'R' << QString();
    }

    void requestsAreAnsweredOneByOne()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(char, answer);
        QFETCH(QString, opened);
        CSingleInstance instance(m_runtime.path());
        QCOMPARE(instance.Start(nullptr), CSingleInstance::Outcome::Listening);
        QSignalSpy requests(&instance, &CSingleInstance::openRequested);

        QLocalSocket client;
        client.connectToServer(instance.SocketPath());
        QVERIFY(client.waitForConnected(1000));
        // Byte by byte, as a slow sender would.
        for (char byte : bytes) {
            client.write(&byte, 1);
            client.flush();
            QTest::qWait(0);
        }
        QTRY_VERIFY(client.bytesAvailable() > 0);
        char got = 0;
        client.getChar(&got);
        QCOMPARE(got, answer);
        if (opened.isNull()) {
            QTest::qWait(50);
            QCOMPARE(requests.count(), 0);
        } else {
            QTRY_COMPARE(requests.count(), 1);
            QCOMPARE(requests.first().first().toString(), opened);
        }
    }

    void withoutAPrivateFolderNothingIsCreated()
    {
        // No private runtime folder: the start must not fall back on the
        // current folder (its lock) or /tmp (a relative socket name).
        QTemporaryDir current;
        const QString previousCurrent = QDir::currentPath();
        QVERIFY(QDir::setCurrent(current.path()));
        CSingleInstance instance{QString()};
        const OpenRequest request{QStringLiteral("/srv/x.ldx"), QByteArray()};
        const CSingleInstance::Outcome outcome = instance.Start(&request);
        const QStringList created = QDir().entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
        QDir::setCurrent(previousCurrent);
        QCOMPARE(outcome, CSingleInstance::Outcome::Alone);
        QCOMPARE(created, QStringList());
    }

    void secondListenerIsRefused()
    {
        CSingleInstance first(m_runtime.path());
        QCOMPARE(first.Start(nullptr), CSingleInstance::Outcome::Listening);
        CSingleInstance second(m_runtime.path());
        QCOMPARE(second.Start(nullptr), CSingleInstance::Outcome::Alone);
    }
};

LODEX_TEST(SingleInstanceTest)
#include "tst_singleinstance.moc"

#include "registration/registrationfiles.h"
#include "support/testmain.h"
#include "support/testutil.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

class RegistrationFilesTest : public QObject
{
    Q_OBJECT

private slots:
    void quoteExecArgument_data()
    {
        QTest::addColumn<QString>("argument");
        QTest::addColumn<QString>("quoted");
        QTest::newRow("plain path") << "/usr/bin/lodex" << "/usr/bin/lodex";
        QTest::newRow("blank") << "/home/ann/my builds/lodex" << "\"/home/ann/my builds/lodex\"";
        QTest::newRow("percent") << "/tmp/100%/lodex" << "/tmp/100%%/lodex";
        QTest::newRow("percent and blank") << "/a b/%f" << "\"/a b/%%f\"";
        QTest::newRow("double quote") << "/a\"b" << "\"/a\\\\\"b\"";
        QTest::newRow("dollar and backtick") << "/$x/`y`" << "\"/\\\\$x/\\\\`y\\\\`\"";
        // Quoted, then a backslash escaped again as every string value's is.
        QTest::newRow("backslash") << "/a\\b" << "\"/a\\\\\\\\b\"";
        QTest::newRow("single quote") << "/ann's/lodex" << "\"/ann's/lodex\"";
        QTest::newRow("tab") << "/a\tb" << "\"/a\\tb\"";
        QTest::newRow("non-ASCII") << QString::fromUtf8("/home/j\xC3\xBCrgen/lodex") << QString::fromUtf8("/home/j\xC3\xBCrgen/lodex");
    }

    void quoteExecArgument()
    {
        QFETCH(QString, argument);
        QFETCH(QString, quoted);
        QCOMPARE(QuoteExecArgument(argument), quoted);
    }

    void desktopEntryPointsAtTheProgram()
    {
        const QByteArray entry = "[Desktop Entry]\nName=Lodex\nTryExec=lodex\nExec=lodex /dde %f\nIcon=x\n\n"
                                 "[Desktop Action extra]\nExec=lodex --extra\n";
        QCOMPARE(DesktopEntryFor(entry, QStringLiteral("/home/ann/my builds/lodex")),
                 QByteArray("[Desktop Entry]\nName=Lodex\nTryExec=/home/ann/my builds/lodex\n"
                            "Exec=\"/home/ann/my builds/lodex\" /dde %f\nIcon=x\n\n"
                            "[Desktop Action extra]\nExec=lodex --extra\n"));
    }

    void userFilesArePackagedFiles()
    {
        const QList<RegistrationFile> files = UserRegistrationFiles(QStringLiteral("/opt/x/lodex"));
        QStringList paths;
        for (const RegistrationFile &file : files)
            paths.append(file.relativePath);
        QCOMPARE(paths, QStringList({QStringLiteral("applications/com.quorv.Lodex.desktop"),
                                     QStringLiteral("mime/packages/com.quorv.Lodex.xml"),
                                     QStringLiteral("icons/hicolor/scalable/apps/com.quorv.Lodex.svg"),
                                     QStringLiteral("icons/hicolor/scalable/mimetypes/application-x-lodex-reflectors.svg")}));
        const QString source = QStringLiteral(LODEX_SOURCE_DIR);
        QCOMPARE(files[0].contents, DesktopEntryFor(ReadAll(source + "/packaging/com.quorv.Lodex.desktop"),
                                                    QStringLiteral("/opt/x/lodex")));
        QCOMPARE(files[1].contents, ReadAll(source + "/packaging/com.quorv.Lodex.xml"));
        QCOMPARE(files[2].contents, ReadAll(source + "/resources/icons/lodex.svg"));
        QCOMPARE(files[3].contents, ReadAll(source + "/resources/icons/ldx-document.svg"));
    }

    void userDesktopEntryValidates()
    {
        const QString validator = QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"));
        if (validator.isEmpty())
            QSKIP("desktop-file-validate is not installed");
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("com.quorv.Lodex.desktop"));
        QVERIFY(WriteAll(path, UserRegistrationFiles(QStringLiteral("/home/ann/100% \"odd\"/lodex"))[0].contents));
        QProcess process;
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.start(validator, {path});
        QVERIFY(process.waitForFinished(30000));
        QVERIFY2(process.exitCode() == 0, process.readAll().constData());
        QVERIFY2(process.readAll().isEmpty(), "desktop-file-validate has remarks");
    }
};

LODEX_TEST(RegistrationFilesTest)
#include "tst_registrationfiles.moc"

// The application shell's pure rules: the stored window placement, the
// command line, the recent-file list.
#include "app/core/commandlineinfo.h"
#include "app/core/displaycheck.h"
#include "app/core/recentfilelist.h"
#include "app/core/windowplacement.h"
#include "support/testmain.h"

#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

class ShellRulesTest : public QObject
{
    Q_OBJECT

private slots:
    void parseWindowPos_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("taken");
        QTest::addColumn<QString>("normalised"); // Format() of what was taken
        QTest::newRow("ten") << "0,1,-1,-1,-1,-1,22,33,1046,801" << true << "0,1,-1,-1,-1,-1,22,33,1046,801";
        QTest::newRow("maximized") << "2,3,-1,-1,-8,-8,10,10,600,400" << true << "2,3,-1,-1,-8,-8,10,10,600,400";
        QTest::newRow("eleven: the last ignored") << "0,1,0,0,0,0,1,2,3,4,99" << true << "0,1,0,0,0,0,1,2,3,4";
        QTest::newRow("text after the tenth") << "0,1,0,0,0,0,1,2,3,4xyz" << true << "0,1,0,0,0,0,1,2,3,4";
        QTest::newRow("blanks before numbers") << "0, 1,\t0,0,0,0,1,2,3,4" << true << "0,1,0,0,0,0,1,2,3,4";
        QTest::newRow("off screen taken unchanged") << "0,1,0,0,0,0,-5000,-5000,-4000,-4000" << true
                                                    << "0,1,0,0,0,0,-5000,-5000,-4000,-4000";
        QTest::newRow("nine") << "0,1,-1,-1,-1,-1,22,33,1046" << false << "";
        QTest::newRow("letter before the tenth") << "0,1,-1,-1,-1,x,22,33,1046,801" << false << "";
        QTest::newRow("blank before a comma") << "0 ,1,0,0,0,0,1,2,3,4" << false << "";
        QTest::newRow("empty") << "" << false << "";
        QTest::newRow("coordinate beyond 32 bits") << "0,1,0,0,0,0,1,2,3,99999999999" << false << "";
    }
    void parseWindowPos()
    {
        QFETCH(QString, text);
        QFETCH(bool, taken);
        QFETCH(QString, normalised);
        const auto placement = WindowPlacement::Parse(text);
        QCOMPARE(placement.has_value(), taken);
        if (taken)
            QCOMPARE(placement->Format(), normalised);
    }

    void windowPosRoundTrip()
    {
        WindowPlacement p;
        p.flags = 2;
        p.showCmd = 3;
        p.SetNormalRect(QRect(-20, 15, 800, 600));
        const auto back = WindowPlacement::Parse(p.Format());
        QVERIFY(back.has_value());
        QVERIFY(*back == p);
        QCOMPARE(back->NormalRect(), QRect(-20, 15, 800, 600));
        QCOMPARE(p.Format(), QStringLiteral("2,3,-1,-1,-1,-1,-20,15,780,615"));
    }

    void storedWindowIsFittedToTheScreens_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QRect>("restored"); // invalid: placed as on a first start
        // Areas as a wide screen with a top panel and a second screen to its right give them.
        QTest::newRow("inside: unchanged") << "0,1,-1,-1,-1,-1,100,120,900,720" << QRect(100, 120, 800, 600);
        QTest::newRow("on the second screen") << "0,1,-1,-1,-1,-1,2000,100,2800,700" << QRect(2000, 100, 800, 600);
        QTest::newRow("absurdly large") << "0,1,-1,-1,-1,-1,0,0,2147483647,2147483647" << QRect(0, 32, 1920, 1048);
        QTest::newRow("larger than its screen") << "0,1,-1,-1,-1,-1,-50,0,2000,1200" << QRect(0, 32, 1920, 1048);
        QTest::newRow("title bar above the screen") << "0,1,-1,-1,-1,-1,100,-200,900,400" << QRect(100, 32, 800, 600);
        QTest::newRow("partly below the screen") << "0,1,-1,-1,-1,-1,100,900,900,1500" << QRect(100, 480, 800, 600);
        QTest::newRow("across both: on the one it covers most")
            << "0,1,-1,-1,-1,-1,1500,100,2300,700" << QRect(1120, 100, 800, 600);
        QTest::newRow("from the far end of the range") << "0,1,-1,-1,-1,-1,-2147483648,0,-1,600" << QRect(0, 32, 1920, 600);
        QTest::newRow("far off the screens") << "0,1,-1,-1,-1,-1,-30000,-30000,-29200,-29400" << QRect();
        QTest::newRow("no width") << "0,1,-1,-1,-1,-1,500,100,500,700" << QRect();
        QTest::newRow("wider than a number holds") << "0,1,-1,-1,-1,-1,-2147483648,0,2147483647,600" << QRect();
    }
    void storedWindowIsFittedToTheScreens()
    {
        QFETCH(QString, stored);
        QFETCH(QRect, restored);
        const QList<QRect> areas{QRect(0, 32, 1920, 1048), QRect(1920, 0, 1280, 1024)};
        const auto placement = WindowPlacement::Parse(stored);
        QVERIFY(placement.has_value());
        QCOMPARE(FitOnScreens(placement->NormalRect(), areas), restored);
    }

    void opensMaximized_data()
    {
        QTest::addColumn<uint>("flags");
        QTest::addColumn<uint>("showCmd");
        QTest::addColumn<bool>("maximized");
        QTest::newRow("normal") << 0u << 1u << false;
        QTest::newRow("maximized") << 2u << 3u << true;
        QTest::newRow("minimized from normal") << 0u << 2u << false;
        QTest::newRow("minimized from maximized") << 2u << 2u << true;
    }
    void opensMaximized()
    {
        QFETCH(uint, flags);
        QFETCH(uint, showCmd);
        QFETCH(bool, maximized);
        WindowPlacement p;
        p.flags = flags;
        p.showCmd = showCmd;
        QCOMPARE(p.OpensMaximized(), maximized);
    }

    void commandLine_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("command");
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QString>("printer");
        using I = CCommandLineInfo;
        QTest::newRow("nothing") << QStringList{} << int(I::FileNew) << "" << "";
        QTest::newRow("a path") << QStringList{"list.ldx"} << int(I::FileOpen) << "list.ldx" << "";
        QTest::newRow("two paths: the first") << QStringList{"a.ldx", "b.ldx"} << int(I::FileOpen) << "a.ldx" << "";
        QTest::newRow("/p") << QStringList{"/p", "a.ldx"} << int(I::FilePrint) << "a.ldx" << "";
        QTest::newRow("-P any case") << QStringList{"-P", "a.ldx"} << int(I::FilePrint) << "a.ldx" << "";
        QTest::newRow("/pt with printer") << QStringList{"/pt", "a.ldx", "Laser", "drv", "lpt1"}
                                          << int(I::FilePrintTo) << "a.ldx" << "Laser";
        QTest::newRow("file before /pt") << QStringList{"a.ldx", "/pt", "Laser"} << int(I::FilePrintTo) << "a.ldx"
                                         << "Laser";
        QTest::newRow("/dde") << QStringList{"/dde"} << int(I::FileDDE) << "" << "";
        QTest::newRow("-regserver") << QStringList{"-regserver"} << int(I::AppRegister) << "" << "";
        QTest::newRow("/REGISTER") << QStringList{"/REGISTER"} << int(I::AppRegister) << "" << "";
        QTest::newRow("/Unregserver") << QStringList{"/Unregserver"} << int(I::AppUnregister) << "" << "";
        QTest::newRow("-unregister") << QStringList{"-unregister"} << int(I::AppUnregister) << "" << "";
        QTest::newRow("unknown option ignored") << QStringList{"-zz", "a.ldx"} << int(I::FileOpen) << "a.ldx" << "";
        QTest::newRow("absolute path") << QStringList{"/home/ann/p"} << int(I::FileOpen) << "/home/ann/p" << "";
        QTest::newRow("root file named like no option") << QStringList{"/x.ldx"} << int(I::FileOpen) << "/x.ldx" << "";
    }
    void commandLine()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, command);
        QFETCH(QString, fileName);
        QFETCH(QString, printer);
        const CCommandLineInfo info = CCommandLineInfo::Parse(arguments);
        QCOMPARE(int(info.command), command);
        QCOMPARE(info.fileName, fileName);
        QCOMPARE(info.printerName, printer);
    }

    void recentListKeepsFourNewestFirst()
    {
        CRecentFileList list;
        for (const char *name : {"/d/a.ldx", "/d/b.ldx", "/d/c.ldx", "/d/d.ldx", "/d/e.ldx", "/d/c.ldx"})
            list.Add(QString::fromLatin1(name));
        QCOMPARE(list.Entries(), QStringList({"/d/c.ldx", "/d/e.ldx", "/d/d.ldx", "/d/b.ldx"}));
        list.Remove(1);
        QCOMPARE(list.Entries(), QStringList({"/d/c.ldx", "/d/d.ldx", "/d/b.ldx"}));
        list.Remove(7);
        QCOMPARE(list.Count(), 3);
    }

    void recentListRoundTripsThroughSettings()
    {
        QTemporaryDir dir;
        QSettings settings(dir.filePath(QStringLiteral("s.ini")), QSettings::IniFormat);
        CRecentFileList list;
        list.Add(QStringLiteral("/x/one.ldx"));
        list.Add(QStringLiteral("/x/two.ldx"));
        list.Save(settings);
        QCOMPARE(settings.value(QStringLiteral("Recent File List/File1")).toString(), QStringLiteral("/x/two.ldx"));
        QCOMPARE(settings.value(QStringLiteral("Recent File List/File2")).toString(), QStringLiteral("/x/one.ldx"));
        QVERIFY(!settings.contains(QStringLiteral("Recent File List/File3")));

        CRecentFileList loaded;
        loaded.Load(settings);
        QCOMPARE(loaded.Entries(), list.Entries());
        loaded.Remove(0);
        loaded.Save(settings); // a shorter list leaves no stale entry behind
        QVERIFY(!settings.contains(QStringLiteral("Recent File List/File2")));
    }

    void recentListLoadsOnlyAbsolutePaths()
    {
        QTemporaryDir dir;
        QSettings settings(dir.filePath(QStringLiteral("s.ini")), QSettings::IniFormat);
        settings.setValue(QStringLiteral("Recent File List/File1"), QStringLiteral("list.ldx"));
        settings.setValue(QStringLiteral("Recent File List/File2"), QStringLiteral("/x/one.ldx"));
        settings.setValue(QStringLiteral("Recent File List/File3"), QStringLiteral("~/two.ldx"));
        CRecentFileList list;
        list.Load(settings);
        QCOMPARE(list.Entries(), QStringList{"/x/one.ldx"});
    }

    void abbreviatePath_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("shown");
        QTest::newRow("fits") << "/home/ann/list.ldx" << "/home/ann/list.ldx";
        QTest::newRow("exactly 30") << "/home/ann/abcdefghij/lists.ldx" << "/home/ann/abcdefghij/lists.ldx";
        QTest::newRow("middle folders dropped") << "/home/user/projects/lodex/data/reflectors.ldx"
                                                << "/home/.../data/reflectors.ldx";
        QTest::newRow("only the name fits") << "/home/user/a-very-long-file-name-here.ldx"
                                            << "a-very-long-file-name-here.ldx";
        QTest::newRow("name longer than 30") << "/srv/a-file-name-that-is-much-too-long.ldx"
                                             << "a-file-name-that-is-much-too-long.ldx";
    }
    void abbreviatePath()
    {
        QFETCH(QString, path);
        QFETCH(QString, shown);
        QCOMPARE(AbbreviatePath(path, 30), shown);
    }

    void missingDisplay_data()
    {
        QTest::addColumn<QByteArray>("platform");
        QTest::addColumn<QByteArray>("display");
        QTest::addColumn<QByteArray>("wayland");
        QTest::addColumn<bool>("missing");
        QTest::newRow("nothing") << QByteArray() << QByteArray() << QByteArray() << true;
        QTest::newRow("X11") << QByteArray() << QByteArray(":0") << QByteArray() << false;
        QTest::newRow("Wayland") << QByteArray() << QByteArray() << QByteArray("wayland-0") << false;
        QTest::newRow("offscreen") << QByteArray("offscreen") << QByteArray() << QByteArray() << false;
        QTest::newRow("xcb without DISPLAY") << QByteArray("xcb") << QByteArray() << QByteArray("wayland-0") << true;
        QTest::newRow("wayland without socket") << QByteArray("wayland") << QByteArray(":0") << QByteArray() << true;
    }
    void missingDisplay()
    {
        QFETCH(QByteArray, platform);
        QFETCH(QByteArray, display);
        QFETCH(QByteArray, wayland);
        QFETCH(bool, missing);
        const QByteArray saved[] = {qgetenv("QT_QPA_PLATFORM"), qgetenv("DISPLAY"), qgetenv("WAYLAND_DISPLAY")};
        qputenv("QT_QPA_PLATFORM", platform);
        qputenv("DISPLAY", display);
        qputenv("WAYLAND_DISPLAY", wayland);
        char program[] = "lodex";
        char *argv[] = {program, nullptr};
        const bool reported = !MissingDisplayReason(1, argv).isEmpty();
        qputenv("QT_QPA_PLATFORM", saved[0]);
        qputenv("DISPLAY", saved[1]);
        qputenv("WAYLAND_DISPLAY", saved[2]);
        QCOMPARE(reported, missing);
    }

    void programWithoutDisplaySuggestsXvfb()
    {
        QProcess lodex;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char *name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
            env.remove(QLatin1String(name));
        lodex.setProcessEnvironment(env);
        lodex.start(QStringLiteral(LODEX_BIN_DIR "/lodex"), {});
        QVERIFY(lodex.waitForFinished(20000));
        QCOMPARE(lodex.exitCode(), 1);
        const QByteArray err = lodex.readAllStandardError();
        QVERIFY2(err.contains("xvfb-run -a lodex"), err.constData());
    }

    void menuTextNumbersAndEscapes()
    {
        CRecentFileList list;
        list.Add(QStringLiteral("/d/R&D.ldx"));
        QCOMPARE(list.MenuText(0), QStringLiteral("&1 /d/R&&D.ldx"));
    }
};

LODEX_TEST(ShellRulesTest)
#include "tst_shellrules.moc"

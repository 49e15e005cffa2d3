#include "lodex_version.h"
#include "resources/versioninfo.h"
#include "support/testmain.h"
#include "support/testutil.h"

#include <QDirIterator>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

namespace {

const QString kIcons = QStringLiteral("share/icons/hicolor/");

struct Run {
    int status = -1;
    QByteArray output;
};

Run Execute(const QString &program, const QStringList &args, const QProcessEnvironment &environment =
                                                                  QProcessEnvironment::systemEnvironment())
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.setProcessEnvironment(environment);
    process.start(program, args);
    process.waitForFinished(120000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1, process.readAll()};
}

Run Install(const QString &prefix, const QString &destdir = QString())
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("DESTDIR"));
    if (!destdir.isEmpty())
        environment.insert(QStringLiteral("DESTDIR"), destdir);
    return Execute(QStringLiteral(LODEX_CMAKE_COMMAND),
                   {QStringLiteral("--install"), QStringLiteral(LODEX_BUILD_DIR), QStringLiteral("--prefix"), prefix},
                   environment);
}

// Width and height from a PNG's header.
QSize PngSize(const QByteArray &png)
{
    if (png.size() < 24 || !png.startsWith("\x89PNG\r\n\x1a\n"))
        return QSize();
    const auto be32 = [&](int at) {
        return int(quint8(png[at]) << 24 | quint8(png[at + 1]) << 16 | quint8(png[at + 2]) << 8 | quint8(png[at + 3]));
    };
    return QSize(be32(16), be32(20));
}

QString Tool(const char *name)
{
    return QStandardPaths::findExecutable(QLatin1String(name));
}

} // namespace

class InstallTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_prefix;
    QString Installed(const QString &relative) const { return m_prefix.filePath(relative); }

private slots:
    void initTestCase()
    {
        const Run run = Install(m_prefix.path());
        QVERIFY2(run.status == 0, run.output.constData());
        // Only this prefix's MIME database, for the type tests below.
        qputenv("XDG_DATA_DIRS", Installed(QStringLiteral("share")).toLocal8Bit());
    }

    void filesAreInPlace_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("source");
        QTest::newRow("command-line tool") << "bin/lodex-cli" << QString();
        if (QFileInfo::exists(QStringLiteral(LODEX_BIN_DIR "/lodex")))
            QTest::newRow("program") << "bin/lodex" << QString();
        QTest::newRow("manual page") << "share/man/man1/lodex.1.gz" << QString();
        QTest::newRow("command-line tool's manual page") << "share/man/man1/lodex-cli.1.gz" << QString();
        QTest::newRow("bash completion") << "share/bash-completion/completions/lodex-cli"
                                         << "packaging/bash-completion/lodex-cli";
        QTest::newRow("copyright") << "share/doc/lodex/copyright" << "packaging/copyright";
        QTest::newRow("changelog") << "share/doc/lodex/changelog.gz" << QString();
        QTest::newRow("desktop entry") << "share/applications/com.quorv.Lodex.desktop"
                                       << "packaging/com.quorv.Lodex.desktop";
        QTest::newRow("MIME package") << "share/mime/packages/com.quorv.Lodex.xml" << "packaging/com.quorv.Lodex.xml";
        QTest::newRow("metainfo") << "share/metainfo/com.quorv.Lodex.metainfo.xml" << QString();
        QTest::newRow("German translation") << "share/lodex/translations/lodex_de.qm" << QString();
        QTest::newRow("application icon") << kIcons + "scalable/apps/com.quorv.Lodex.svg" << "resources/icons/lodex.svg";
        QTest::newRow("document icon") << kIcons + "scalable/mimetypes/application-x-lodex-reflectors.svg"
                                       << "resources/icons/ldx-document.svg";
    }

    void filesAreInPlace()
    {
        QFETCH(QString, path);
        QFETCH(QString, source);
        QVERIFY2(QFileInfo(Installed(path)).isFile(), qPrintable(path));
        if (!source.isEmpty())
            QCOMPARE(ReadAll(Installed(path)), ReadAll(QStringLiteral(LODEX_SOURCE_DIR "/") + source));
        if (path.startsWith(QLatin1String("bin/")))
            QVERIFY(QFileInfo(Installed(path)).isExecutable());
    }

    // GNU's two options answer on standard output even where no window
    // could open, and win over any other option on the line.
    void helpAndVersionNeedNoDisplay_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QByteArray>("output"); // empty: any text
        if (QFileInfo::exists(Installed(QStringLiteral("bin/lodex")))) {
            QTest::newRow("lodex --help") << "lodex" << QStringList{"--help"} << QByteArray();
            QTest::newRow("lodex -h") << "lodex" << QStringList{"-h"} << QByteArray();
            QTest::newRow("lodex -p FILE --version") << "lodex" << QStringList{"-p", "missing.ldx", "--version"}
                                                     << QByteArray("lodex " LODEX_VERSION_STRING "\n");
        }
        QTest::newRow("lodex-cli --version")
            << "lodex-cli" << QStringList{"--version"} << QByteArray("lodex-cli " LODEX_VERSION_STRING "\n");
    }

    void helpAndVersionNeedNoDisplay()
    {
        QFETCH(QString, program);
        QFETCH(QStringList, args);
        QFETCH(QByteArray, output);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            environment.remove(QLatin1String(name));
        QProcess process;
        process.setProcessEnvironment(environment);
        process.start(Installed("bin/" + program), args);
        QVERIFY(process.waitForFinished(20000));
        const QByteArray errors = process.readAllStandardError();
        QVERIFY2(errors.isEmpty(), errors.constData());
        QCOMPARE(process.exitCode(), 0);
        const QByteArray printed = process.readAllStandardOutput();
        QVERIFY(!printed.isEmpty());
        if (!output.isEmpty())
            QCOMPARE(printed, output);
    }

    // The installed program finds its translation beside it: printed under
    // a German locale, without a display, the page label is German.
    void installedProgramSpeaksTheUsersLanguage()
    {
        QTemporaryDir out;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "LANGUAGE"})
            environment.remove(QLatin1String(name));
        environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("de_DE.UTF-8"));
        const QString pdf = out.filePath(QStringLiteral("list.pdf"));
        const Run run = Execute(Installed(QStringLiteral("bin/lodex")),
                                {"-pt", LODEX_SOURCE_DIR "/examples/sample.ldx", "x", "x", pdf}, environment);
        QVERIFY2(run.status == 0, run.output.constData());
        QCOMPARE(PdfPageLines(pdf, 1).value(0), QStringLiteral("sample.ldx Seite 1/1"));
    }

    // Every text the program marks for translation has its German, which
    // keeps the source's placeholders, line breaks and single mnemonic.
    void germanTranslationIsComplete()
    {
        const QString lupdate = QStringLiteral(LODEX_LUPDATE);
        if (!QFileInfo(lupdate).isExecutable())
            QSKIP("lupdate is not installed");
        QTemporaryDir dir;
        const QString ts = dir.filePath(QStringLiteral("lodex_de.ts"));
        QVERIFY(QFile::copy(QStringLiteral(LODEX_SOURCE_DIR "/translations/lodex_de.ts"), ts));
        QStringList args{"-silent", "-locations", "none", "-no-obsolete", "-I", LODEX_SOURCE_DIR};
        for (const char *folder : {"app", "data", "dialogs", "exchange", "resources", "view"})
            args << QStringLiteral(LODEX_SOURCE_DIR "/") + folder;
        QCOMPARE(Execute(lupdate, args << "-ts" << ts).status, 0);
        static const QRegularExpression marks(QStringLiteral("%[0-9sd]|\n|&"));
        const auto marksOf = [](const QString &text) {
            QStringList found;
            for (auto it = marks.globalMatch(text); it.hasNext();)
                found << it.next().captured();
            found.sort();
            return found;
        };
        QFile file(ts);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QXmlStreamReader xml(&file);
        QString source;
        int messages = 0;
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement)
                continue;
            if (xml.name() == QLatin1String("source"))
                source = xml.readElementText();
            if (xml.name() != QLatin1String("translation"))
                continue;
            ++messages;
            const bool finished = xml.attributes().value(QLatin1String("type")).isEmpty();
            const QString german = xml.readElementText();
            QVERIFY2(finished && marksOf(german) == marksOf(source), qPrintable(source + " / " + german));
        }
        QVERIFY(messages > 200);
    }

    void bashCompletesCommandLines_data()
    {
        QTest::addColumn<QStringList>("words");
        QTest::addColumn<QStringList>("offered");
        QTest::newRow("subcommand") << QStringList{"lodex-cli", "c"}
                                    << QStringList{"check-ip", "copy", "countries", "cu"};
        QTest::newRow("database") << QStringList{"lodex-cli", "dump", ""} << QStringList{"B.LDX", "a.ldx", "sub"};
        QTest::newRow("export target") << QStringList{"lodex-cli", "export", "a.ldx", ""}
                                       << QStringList{"B.LDX", "a.ldx", "notes.txt", "sub"};
        QTest::newRow("export option") << QStringList{"lodex-cli", "export", "a.ldx", "out.ini", "--"}
                                       << QStringList{"--now"};
        QTest::newRow("row") << QStringList{"lodex-cli", "cu", "a.ldx", ""} << QStringList();
        QTest::newRow("import sources") << QStringList{"lodex-cli", "import", "a.ldx", ""}
                                        << QStringList{"notes.txt", "sub"};
        QTest::newRow("import choice") << QStringList{"lodex-cli", "import", "a.ldx", "--conflicts", ""}
                                       << QStringList{"keep", "take"};
    }

    // The installed completion, run by bash-completion's own loader as an
    // interactive shell would, in a folder of a few files.
    void bashCompletesCommandLines()
    {
        QFETCH(QStringList, words);
        QFETCH(QStringList, offered);
        const QString loader = QStringLiteral("/usr/share/bash-completion/bash_completion");
        if (Tool("bash").isEmpty() || !QFileInfo::exists(loader))
            QSKIP("bash-completion is not installed");
        QTemporaryDir dir;
        for (const char *name : {"a.ldx", "B.LDX", "notes.txt"})
            QVERIFY(WriteAll(dir.filePath(QLatin1String(name)), QByteArray()));
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("sub")));
        const QString script = QStringLiteral(R"(
            source "$1"; source "$2"; shift 2
            function=$(complete -p lodex-cli | sed -n 's/.* -F \([^ ]*\) .*/\1/p')
            COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1)); COMP_LINE="$*"; COMP_POINT=${#COMP_LINE}
            "$function" lodex-cli "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD-1]}"
            printf '%s\n' "${COMPREPLY[@]}" | LC_ALL=C sort)");
        QProcess bash;
        bash.setWorkingDirectory(dir.path());
        bash.start(Tool("bash"), QStringList{"-c", script, "bash", loader,
                                             Installed("share/bash-completion/completions/lodex-cli")} + words);
        QVERIFY(bash.waitForFinished(20000));
        QCOMPARE(bash.readAllStandardError(), QByteArray());
        const QString printed = QString::fromLocal8Bit(bash.readAllStandardOutput());
        QCOMPARE(printed.split(QLatin1Char('\n'), Qt::SkipEmptyParts), offered);
    }

    void themeIconsHaveTheirSizes_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("size");
        for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
            const QString folder = kIcons + QStringLiteral("%1x%1/").arg(size);
            QTest::addRow("application %d", size) << folder + "apps/com.quorv.Lodex.png" << size;
            QTest::addRow("document %d", size) << folder + "mimetypes/application-x-lodex-reflectors.png" << size;
        }
    }

    void themeIconsHaveTheirSizes()
    {
        QFETCH(QString, path);
        QFETCH(int, size);
        QCOMPARE(PngSize(ReadAll(Installed(path))), QSize(size, size));
    }

    void metadataValidates_data()
    {
        QTest::addColumn<QString>("tool");
        QTest::addColumn<QStringList>("args");
        QTest::newRow("desktop entry") << "desktop-file-validate"
                                       << QStringList{Installed("share/applications/com.quorv.Lodex.desktop")};
        QTest::newRow("metainfo") << "appstreamcli"
                                  << QStringList{"validate", "--no-net",
                                                 Installed("share/metainfo/com.quorv.Lodex.metainfo.xml")};
    }

    void metadataValidates()
    {
        QFETCH(QString, tool);
        QFETCH(QStringList, args);
        const QString program = Tool(qPrintable(tool));
        if (program.isEmpty())
            QSKIP("validator not installed");
        const Run run = Execute(program, args);
        QVERIFY2(run.status == 0, run.output.constData());
    }

    void installedTypeIsRecognised_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("contents");
        const QByteArray sample = ReadAll(QStringLiteral(LODEX_SOURCE_DIR "/examples/sample.ldx"));
        QTest::newRow("by name") << "list.ldx" << QByteArray();
        QTest::newRow("by content") << "list" << sample;
        // 65535 records and more: a longer count before the class name.
        QTest::newRow("by content, long count") << "big" << QByteArray("\xFF\xFF\x00\x00\x01\x00", 6) + sample.mid(2);
    }

    void installedTypeIsRecognised()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, contents);
        if (Tool("update-mime-database").isEmpty())
            QSKIP("update-mime-database is not installed");
        QTemporaryDir dir;
        const QString path = dir.filePath(name);
        QVERIFY(WriteAll(path, contents));
        const QMimeType type = QMimeDatabase().mimeTypeForFile(path);
        QCOMPARE(type.name(), QStringLiteral("application/x-lodex-reflectors"));
        QCOMPARE(type.comment(), QStringLiteral("Reflector Document"));
        QCOMPARE(type.iconName(), QStringLiteral("application-x-lodex-reflectors"));
    }

    // The package as `make package` builds it: the same bytes every time,
    // held to Debian's rules (no error and no warning from lintian), and
    // maintained at the one contact address.
    void packageRepeatsAndPassesLintian()
    {
        const QString cpack = QStringLiteral(LODEX_CPACK_COMMAND);
        if (!QFileInfo(cpack).isExecutable() || Tool("dpkg-shlibdeps").isEmpty() || Tool("lintian").isEmpty())
            QSKIP("cpack, dpkg-shlibdeps or lintian is not installed");
        QByteArray built[2];
        QString package;
        for (QByteArray &bytes : built) {
            QTemporaryDir out;
            const Run run =
                Execute(cpack, {"-G", "DEB", "--config", LODEX_BUILD_DIR "/CPackConfig.cmake", "-B", out.path()});
            QVERIFY2(run.status == 0, run.output.constData());
            const QStringList packages = QDir(out.path()).entryList({QStringLiteral("*.deb")}, QDir::Files);
            QCOMPARE(packages.size(), 1);
            bytes = ReadAll(out.filePath(packages[0]));
            package = m_prefix.filePath(packages[0]);
            QVERIFY(WriteAll(package, bytes));
            QTest::qWait(1100); // a time stamp taken from the clock would differ
        }
        QVERIFY(!built[0].isEmpty());
        QVERIFY(built[0] == built[1]);
        Run run = Execute(Tool("lintian"), {"--fail-on", "error,warning", "--tag-display-limit", "0", package});
        QVERIFY2(run.status == 0, run.output.constData());
        run = Execute(Tool("dpkg-deb"), {"--field", package, "Maintainer"});
        QCOMPARE(run.output.trimmed(), QByteArray("Quorv <" LODEX_CONTACT_EMAIL ">"));
    }

    // Users and the package's readers reach the project at one address:
    // each of these names it, and no other.
    void oneContactAddress()
    {
        QStringList texts{CVersionInfo::ThisProgram().Value(QStringLiteral("Comments")),
                          QString::fromUtf8(ReadAll(Installed("share/metainfo/com.quorv.Lodex.metainfo.xml")))};
        for (const char *name : {"copyright", "changelog"})
            texts << QString::fromUtf8(ReadAll(QStringLiteral(LODEX_SOURCE_DIR "/packaging/") + name));
        static const QRegularExpression address(QStringLiteral("[\\w.-]+@[\\w.-]+"));
        for (const QString &text : texts)
            for (auto it = address.globalMatch(text); it.hasNext();)
                QCOMPARE(it.next().captured(), QStringLiteral(LODEX_CONTACT_EMAIL));
        QVERIFY(texts.filter(QStringLiteral(LODEX_CONTACT_EMAIL)).size() == texts.size());
    }

    void stagedInstallLeavesCachesToTheTarget()
    {
        QTemporaryDir stage;
        const Run run = Install(QStringLiteral("/usr"), stage.path());
        QVERIFY2(run.status == 0, run.output.constData());
        QVERIFY(QFileInfo::exists(stage.filePath(QStringLiteral("usr/share/mime/packages/com.quorv.Lodex.xml"))));
        QStringList caches;
        QDirIterator it(stage.path(), {QStringLiteral("*.cache"), QStringLiteral("globs*")}, QDir::Files,
                        QDirIterator::Subdirectories);
        while (it.hasNext())
            caches.append(it.next());
        QCOMPARE(caches, QStringList());
    }
};

LODEX_TEST(InstallTest)
#include "tst_install.moc"

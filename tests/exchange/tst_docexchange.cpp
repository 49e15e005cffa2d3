#include "data/lodexdoc.h"
#include "exchange/datetimestamp.h"
#include "support/fakes.h"
#include "support/testmain.h"
#include "support/testutil.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Remembers what the file dialogs were given.
class RecordingPrompts : public FakePrompts
{
public:
    QString proposedPath;
    QString filters;
    QString defaultSuffix;
    bool multiple = false;

    QString GetSaveFileName(const QString &caption, const QString &proposed, const QString &filterList,
                            const QString &suffix) override
    {
        proposedPath = proposed;
        filters = filterList;
        defaultSuffix = suffix;
        return FakePrompts::GetSaveFileName(caption, proposed, filterList, suffix);
    }
    QStringList GetOpenFileNames(const QString &caption, const QString &filterList, bool multi) override
    {
        filters = filterList;
        multiple = multi;
        return FakePrompts::GetOpenFileNames(caption, filterList, multi);
    }
};

const QString kNotSupported = QStringLiteral("Format not supported !\nOperation cancelled.");

} // namespace

class DocExchangeTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    FakeView m_view;
    RecordingPrompts m_prompts;
    std::unique_ptr<CLodexDoc> m_doc;

    QString Path(const QString &name) const { return m_dir.filePath(name); }

private slots:
    void init()
    {
        QDir(m_dir.path()).removeRecursively();
        QDir().mkpath(m_dir.path());
        m_view = FakeView();
        m_prompts = RecordingPrompts();
        m_doc = std::make_unique<CLodexDoc>();
        m_doc->m_pView = &m_view;
        m_doc->m_pPrompts = &m_prompts;
        m_doc->m_listReflectors = SampleList(3);
        m_doc->m_listReflectors[1]->m_bRunning = 0;
        m_doc->RefreshView();
    }

    void exportDialog()
    {
        m_doc->OnFileExport();
        QCOMPARE(m_prompts.fileDialogs.size(), 1);
        QCOMPARE(m_prompts.proposedPath, QStringLiteral("nickname.ini"));
        QCOMPARE(m_prompts.filters, QStringLiteral("INI File (*.ini);;CSV File (*.csv)"));
        QCOMPARE(m_prompts.defaultSuffix, QStringLiteral("ini"));
        // Cancelled: nothing written, nothing said.
        QVERIFY(m_prompts.messages.isEmpty());
        QVERIFY(QDir(m_dir.path()).isEmpty());
    }

    void exportChoosesFormatByExtension_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("begins");
        for (const char *name : {"nickname.ini", "NICKNAME.INI", "Book.iNi"})
            QTest::newRow(name) << name << QByteArray("[_LDX List ");
        for (const char *name : {"list.csv", "list.txt", "list", "list.ini.old"})
            QTest::newRow(name) << name << QByteArray("LDX2 List ");
    }
    void exportChoosesFormatByExtension()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, begins);
        m_prompts.saveNames << Path(name);
        const DateTimeStamp before = DateTimeStamp::Now();
        m_doc->OnFileExport();
        const DateTimeStamp after = DateTimeStamp::Now();
        const QByteArray written = ReadAll(Path(name));
        QVERIFY2(written.startsWith(begins), written.left(40).constData());
        // Dated now, in the user's formats.
        const QByteArray separator = begins.startsWith('[') ? " " : " @ ";
        QVERIFY(written.contains(before.date + separator + before.time)
                || written.contains(after.date + separator + after.time));
        QVERIFY(m_prompts.messages.isEmpty());
        QVERIFY(!m_doc->IsModified());
    }

    // The list's order, not the order the rows are shown in.
    void exportTakesListOrder()
    {
        std::reverse(m_view.rows.begin(), m_view.rows.end());
        QVERIFY(m_doc->ExportSemicolonList(Path("list.csv")));
        const QList<QByteArray> lines = ReadAll(Path("list.csv")).split('\n');
        QCOMPARE(lines.size(), 5);
        QVERIFY(lines[1].startsWith("France;FR;Reflector 1;"));
        QVERIFY(lines[3].startsWith("France;FR;Reflector 3;"));
        QVERIFY(m_doc->ExportPhonebook(Path("nickname.ini")));
        const QByteArray book = ReadAll(Path("nickname.ini"));
        QVERIFY(book.indexOf("[(FR) R1]") < book.indexOf("[(FR) R3]"));
        QVERIFY(!book.contains("[(FR) R2]"));
    }

    void failedExportIsReported_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("readOnly");
        QTest::newRow("phonebook, missing folder") << "no/such/nickname.ini" << false;
        QTest::newRow("list, missing folder") << "no/such/list.csv" << false;
        QTest::newRow("read-only phonebook") << "nickname.ini" << true;
        QTest::newRow("read-only list") << "list.csv" << true;
    }
    void failedExportIsReported()
    {
        QFETCH(QString, name);
        QFETCH(bool, readOnly);
        const QString path = Path(name);
        if (readOnly) {
            WriteAll(path, "kept");
            QFile::setPermissions(path, QFile::ReadOwner);
        }
        m_prompts.saveNames << path;
        m_doc->OnFileExport();
        QCOMPARE(m_prompts.messages.size(), 1);
        // The message names the file, then says why.
        const QStringList lines = m_prompts.messages[0].split(QLatin1Char('\n'));
        QCOMPARE(lines[0], QStringLiteral("Cannot create the file : ' %1'").arg(path));
        QCOMPARE(lines.size(), 2);
        QVERIFY(!lines[1].isEmpty());
        QCOMPARE(ReadAll(path), readOnly ? QByteArray("kept") : QByteArray());
    }

    // The busy indication ends before a message can show.
    void exportIsBusyMeanwhile()
    {
        QSignalSpy busy(m_doc.get(), &CLodexDoc::busyChanged);
        QVERIFY(m_doc->ExportPhonebook(Path("nickname.ini")));
        QCOMPARE(busy.size(), 2);
        QCOMPARE(busy[0][0].toBool(), true);
        QCOMPARE(busy[1][0].toBool(), false);
        int messagesWhileBusy = -1;
        connect(m_doc.get(), &CLodexDoc::busyChanged, this,
                [&](bool on) { if (!on) messagesWhileBusy = int(m_prompts.messages.size()); });
        QVERIFY(!m_doc->ExportSemicolonList(Path("no/such/list.csv")));
        QCOMPARE(messagesWhileBusy, 0);
        QCOMPARE(m_prompts.messages.size(), 1);
    }

    // Files that do not exist: each known kind is tried and refused, any
    // other kind is not supported.
    void importSortsFilesByExtension_data()
    {
        QTest::addColumn<QStringList>("chosen");
        QTest::addColumn<QStringList>("messages"); // their beginnings; "?" for a kind refused
        QTest::newRow("cancelled") << QStringList() << QStringList();
        for (const char *name : {"a.ini", "a.INI", "b.csv", "b.Csv", "c.txt", "c.TXT"})
            QTest::newRow(name) << QStringList{name} << QStringList{"?"};
        for (const char *name : {"d.xml", "noextension", "e.ini.bak", "f."})
            QTest::newRow(name) << QStringList{name} << QStringList{kNotSupported};
        QTest::newRow("three in the dialog's order") << QStringList{"x.ini", "y.doc", "z.txt"}
                                                    << QStringList{"?", kNotSupported, "?"};
        QTest::newRow("empty name skipped") << QStringList{"", "y.doc"} << QStringList{kNotSupported};
    }
    void importSortsFilesByExtension()
    {
        QFETCH(QStringList, chosen);
        QFETCH(QStringList, messages);
        m_doc->SetModifiedFlag(false);
        QStringList paths;
        for (const QString &name : chosen)
            paths << (name.isEmpty() ? name : Path(name));
        m_prompts.openNames << paths;
        m_doc->OnFileImport();
        QCOMPARE(m_prompts.filters,
                 QStringLiteral("INI File (*.ini);;CSV File (*.csv);;Text File (*.txt);;All Files (*)"));
        QVERIFY(m_prompts.multiple);
        QCOMPARE(m_prompts.messages.size(), messages.size());
        for (qsizetype i = 0; i < messages.size(); ++i) {
            const QString expected = messages[i] == QLatin1String("?")
                                         ? QStringLiteral("Cannot import \"%1\": ").arg(paths[i])
                                         : messages[i];
            QVERIFY2(m_prompts.messages[i].startsWith(expected), qPrintable(m_prompts.messages[i]));
        }
        QCOMPARE(m_doc->m_listReflectors.size(), std::size_t(3));
        QCOMPARE(m_view.rows.size(), std::size_t(3));
        QVERIFY(!m_doc->IsModified());
    }
};

LODEX_TEST(DocExchangeTest)
#include "tst_docexchange.moc"

// Import and Paste: what comes back of the files Lodex writes, what is
// refused, and how addresses already in the list are settled.
#include "data/ldxfile.h"
#include "data/lodexdoc.h"
#include "exchange/clientcodepage.h"
#include "exchange/datetimestamp.h"
#include "exchange/importsource.h"
#include "exchange/phonebookexport.h"
#include "exchange/phonebookimport.h"
#include "exchange/semicolonlist.h"
#include "support/fakes.h"
#include "support/testmain.h"
#include "support/testutil.h"
#include "view/core/reflectortext.h"

#include <QDir>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Six records: accents and CJK in UTF-8, a quoted word, an ID with leading
// zeros, an empty record, a country code the table lacks; mixed flags.
const QString kRoundTrip = QStringLiteral(LODEX_SOURCE_DIR "/tests/exchange/data/roundtrip.ldx");
// The semicolon list of kRoundTrip after LibreOffice Calc 7.4 opened it with
// every column as text and saved it again: LF line ends, the header padded
// with separators, quotes doubled inside quotes. Made once with
//   soffice --headless --infilter="CSV:59,34,76,1,1/2/2/2/3/2/.../12/2"
//     --convert-to 'csv:Text - txt - csv (StarCalc):59,34,76' list.csv
const QString kCalcSaved = QStringLiteral(LODEX_SOURCE_DIR "/tests/exchange/data/roundtrip-calc.csv");

QList<QByteArrayList> AllFields(const ReflectorList &list)
{
    QList<QByteArrayList> all;
    for (const auto &record : list)
        all << Fields(*record);
    return all;
}

ReflectorList Load(const QString &path)
{
    ReflectorList list;
    LdxFile::Load(path, list, nullptr);
    return list;
}

} // namespace

class ImportTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    FakeDocument m_fake;
    FakeView &m_view = m_fake.view;
    FakePrompts &m_prompts = m_fake.prompts;
    std::unique_ptr<CLodexDoc> &m_doc = m_fake.doc;

    QString Path(const QString &name) const { return m_dir.filePath(name); }

private slots:
    void init() { m_fake.Reset(); }

    // What Lodex writes comes back into an empty document byte for byte:
    // every record of a semicolon list or a copy, the running ones of a
    // phonebook with the fields it holds.
    void roundTrips_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QList<QByteArrayList>>("expected");
        QTest::addColumn<int>("skipped");
        const QList<QByteArrayList> all = AllFields(Load(kRoundTrip));
        QTest::newRow("semicolon list") << "csv" << all << 0;
        QTest::newRow("semicolon list, LF") << "csv LF" << all << 0;
        QTest::newRow("semicolon list, CR") << "csv CR" << all << 0;
        QTest::newRow("semicolon list saved by a spreadsheet") << "calc" << all << 0;
        QTest::newRow("copied text, pasted") << "paste" << all << 0;
        QTest::newRow("copied text in a file, CR LF") << "txt" << all << 0;
        const QList<QByteArrayList> running{
            {"France", "FR", "Paris", "Paris", "192.0.2.10", "", "", "0", "1", "1", "1", "1"},
            {"Switzerland", "CH", "Zürich", "Zürich", "192.0.2.11", "", "", "007", "1", "0", "1", "1"},
            {"Japan", "JP", "Tokyo", "Tokyo", "198.51.100.23", "", "", "3", "1", "1", "0", "1"},
            {"QQ", "QQ", "Deep", "Deep", "10.0.0.1", "", "", "99", "0", "1", "1", "1"},
        };
        QTest::newRow("phonebook") << "ini" << running << 1; // the marker section
    }
    void roundTrips()
    {
        QFETCH(QString, how);
        QFETCH(QList<QByteArrayList>, expected);
        QFETCH(int, skipped);
        const ReflectorList list = Load(kRoundTrip);
        const DateTimeStamp stamp{"2 Jan 2024", "10:00"};
        QString path = Path("list.csv");
        QByteArray text;
        if (how.startsWith(QLatin1String("csv"))) {
            QVERIFY(SemicolonList::Save(path, list, stamp, nullptr));
            QByteArray bytes = ReadAll(path);
            bytes.replace("\r\n", how.endsWith(QLatin1String("CR")) ? "\r" : how.endsWith(QLatin1String("LF")) ? "\n" : "\r\n");
            QVERIFY(WriteAll(path, bytes));
        } else if (how == QLatin1String("calc")) {
            path = kCalcSaved;
        } else if (how == QLatin1String("ini")) {
            path = Path("nickname.ini");
            QVERIFY(PhonebookExport::Export(path, list, stamp, CClientCodePage(), nullptr));
        } else {
            text = ReflectorText(RecordPointers(list));
            path = Path("copied.txt");
            QVERIFY(WriteAll(path, QByteArray(text).replace('\n', "\r\n")));
        }
        if (how == QLatin1String("paste"))
            m_doc->OnEditPaste(text);
        else
            m_doc->ImportFiles({path});

        QCOMPARE(AllFields(m_doc->m_listReflectors), expected);
        QCOMPARE(m_view.rows.size(), expected.size());
        const QString source = how == QLatin1String("paste") ? QStringLiteral("Clipboard") : QDir::toNativeSeparators(path);
        QCOMPARE(m_prompts.messages, QStringList{QStringLiteral("%1: %2 reflectors added, 0 updated, %3 skipped.")
                                                     .arg(source).arg(expected.size()).arg(skipped)});
        QVERIFY(m_doc->IsModified());
    }

    // A source with a line that cannot be understood is refused whole, the
    // message naming the source, the line and what is wrong.
    void refusedWhole_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("problem");
        const QByteArray good = "France;FR;One;1;192.0.2.1;;;0;AM:Yes;SV:Yes;RV:Yes;IR:Yes\r\n";
        QTest::newRow("too few fields") << "a.csv" << "LDX2 List x @ y\r\n" + good + "France;FR;Two;2;192.0.2.2;;;0;AM:Yes;SV:Yes;RV:Yes\r\n"
                                        << "line 3: 11 fields where a reflector line has 12";
        QTest::newRow("a semicolon inside a text") << "a.csv" << good + "France;FR;A;B;B;192.0.2.2;;;0;AM:Yes;SV:Yes;RV:Yes;IR:Yes\n"
                                                   << "line 2: 13 fields where a reflector line has 12";
        QTest::newRow("a flag word") << "a.csv" << good + "France;FR;Two;2;192.0.2.2;;;0;AM:Maybe;SV:Yes;RV:Yes;IR:Yes\r\n"
                                     << "line 2: \"AM:Maybe\" where AM:Yes or AM:No belongs";
        QTest::newRow("flags out of order") << "a.csv" << good + "France;FR;Two;2;192.0.2.2;;;0;SV:Yes;AM:Yes;RV:Yes;IR:Yes\r\n"
                                            << "line 2: \"SV:Yes\" where AM:Yes or AM:No belongs";
        QTest::newRow("a line without a label") << "a.txt" << QByteArray("Country: France\n\nFull name: X\nhello\n")
                                                << "line 4: \"hello\" does not begin with a label such as \"Country:\"";
        QTest::newRow("a label twice in a block") << "a.txt" << QByteArray("IP address: 1\r\nIP address: 2\r\n")
                                                  << "line 2: a second \"IP address:\" line in one reflector";
        QTest::newRow("a flag in a block") << "a.TXT" << QByteArray("IP address: 1\nIs running: sometimes\n")
                                           << "line 2: \"sometimes\" after \"Is running:\", where Yes or No belongs";
        QTest::newRow("a phonebook flag, CR line ends")
            << "a.ini" << QByteArray("[(FR) A]\rIP=1\r\r[(FR) B]\rIP=2\rSend Video=1\r")
            << "line 6: \"1\" for \"Send Video\", where Yes or No belongs";
        QTest::newRow("broken UTF-16") << "a.csv" << QByteArray("\xFF\xFE\x41\x00\x41", 5)
                                       << "the text is not valid UTF-16";
        QTest::newRow("no file") << "missing.csv" << QByteArray() << "No such file or directory";
        QTest::newRow("a folder") << "folder.txt" << QByteArray() << "it is not a regular file";
    }
    void refusedWhole()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, problem);
        m_doc->m_listReflectors = SampleList(2);
        m_doc->RefreshView();
        const QString path = Path(name);
        if (!bytes.isEmpty())
            QVERIFY(WriteAll(path, bytes));
        if (name.startsWith(QLatin1String("folder")))
            QVERIFY(QDir().mkpath(path));
        m_doc->ImportFiles({path});
        QCOMPARE(m_prompts.messages.size(), 1);
        QVERIFY2(m_prompts.messages[0].startsWith(QStringLiteral("Cannot import \"%1\": %2").arg(path, problem)),
                 qPrintable(m_prompts.messages[0]));
        QVERIFY(m_prompts.messages[0].endsWith(QLatin1String("\nNothing of it was imported.")));
        QCOMPARE(AllFields(m_doc->m_listReflectors), AllFields(SampleList(2)));
        QVERIFY(!m_doc->IsModified());
    }

    // Reflectors whose address is taken, by the list or by an earlier one of
    // the same source: asked about once, then reviewed, kept or taken. A
    // source's missing fields never overwrite the list's.
    void takenAddresses_data()
    {
        QTest::addColumn<QList<int>>("choice"); // none: the box closed
        QTest::addColumn<bool>("review");       // the conflict dialog takes the new full name
        QTest::addColumn<QByteArrayList>("first");
        QTest::addColumn<QByteArray>("second");
        QTest::addColumn<QString>("counts");
        const QByteArrayList kept{"France", "FR", "Reflector 1", "R1", "192.0.2.1", "Ann", "", "0", "1", "1", "1", "1"};
        const QByteArrayList taken{"France", "FR", "Taken", "R1", "192.0.2.1", "Ann", "", "0", "1", "0", "1", "1"};
        QByteArrayList renamed = kept;
        renamed[CReflector::ColFullName] = "Taken";
        QTest::newRow("closed: keep the list's") << QList<int>{} << false << kept << QByteArray("Free") << "1 reflectors added, 0 updated, 2 skipped.";
        QTest::newRow("keep the list's") << QList<int>{1} << false << kept << QByteArray("Free") << "1 reflectors added, 0 updated, 2 skipped.";
        QTest::newRow("take the file's") << QList<int>{2} << false << taken << QByteArray("Again") << "1 reflectors added, 2 updated, 0 skipped.";
        QTest::newRow("review, take each") << QList<int>{0} << true << renamed << QByteArray("Again") << "1 reflectors added, 2 updated, 0 skipped.";
        QTest::newRow("review, cancel each") << QList<int>{0} << false << kept << QByteArray("Free") << "1 reflectors added, 0 updated, 2 skipped.";
    }
    void takenAddresses()
    {
        QFETCH(QList<int>, choice);
        QFETCH(bool, review);
        QFETCH(QByteArrayList, first);
        QFETCH(QByteArray, second);
        QFETCH(QString, counts);
        m_doc->m_listReflectors = SampleList(1);
        m_doc->m_listReflectors[0]->m_strContact = "Ann";
        m_prompts.choices = choice;
        m_prompts.conflictDialog = [review](const CReflector &existing, const CReflector &candidate, const QString &,
                                            ReflectorValues &result) {
            result = ReflectorValues::FromRecord(existing);
            result.text[CReflector::ColFullName] = candidate.m_strFullName;
            return review;
        };
        m_doc->OnEditPaste("Full name: Taken\nIP address: 192.0.2.1\nSend video: No\n\n"
                           "Full name: Free\nIP address: 192.0.2.9\n\n"
                           "Full name: Again\nIP address: 192.0.2.9\n");
        QCOMPARE(m_prompts.messages,
                 (QStringList{"2 of the 3 reflectors in Clipboard have an address that is already in the list.",
                              "Clipboard: " + counts}));
        QCOMPARE(m_prompts.conflictDialogs, choice == QList<int>{0} ? 2 : 0);
        QCOMPARE(m_doc->m_listReflectors.size(), std::size_t(2));
        QCOMPARE(Fields(*m_doc->m_listReflectors[0]), first);
        QCOMPARE(m_doc->m_listReflectors[1]->m_strFullName.toByteArray(), second);
    }

    // Sections as the client and other programs write them.
    void phonebookSections_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("codePage");
        QTest::addColumn<QByteArrayList>("fields"); // of the one reflector; empty: none
        QTest::addColumn<int>("skipped");
        QTest::newRow("keys in any case, first of two")
            << QByteArray("[ (FR) Paris ]\nip = 192.0.2.1\nsend video=no\nSEND VIDEO=Yes\nconferenceid=5\n")
            << "" << QByteArrayList{"France", "FR", "Paris", "Paris", "192.0.2.1", "", "", "5", "1", "0", "1", "1"} << 0;
        QTest::newRow("a name without a code")
            << QByteArray("; mine\r\n[My Reflector]\r\nIP=192.0.2.1\r\n")
            << "" << QByteArrayList{"Don't know", "??", "My Reflector", "My Reflector", "192.0.2.1", "", "", "0", "1", "1", "1", "1"} << 0;
        QTest::newRow("UTF-16 with its mark")
            << QByteArray(QStringEncoder(QStringEncoder::Utf16LE, QStringEncoder::Flag::WriteBom)(u"[(DE) Köln]\r\nIP=192.0.2.1\r\n"))
            << "" << QByteArrayList{"Germany", "DE", "Köln", "Köln", "192.0.2.1", "", "", "0", "1", "1", "1", "1"} << 0;
        QTest::newRow("the client's code page")
            << QByteArray("[(RU) \xCC\xEE\xF1\xEA\xE2\xE0]\nIP=192.0.2.1\n") << "windows-1251"
            << QByteArrayList{"Russian Federation", "RU", "Москва", "Москва", "192.0.2.1", "", "", "0", "1", "1", "1", "1"} << 0;
        QTest::newRow("markers and sections without an address")
            << QByteArray("IP=1\n[_LDX List 1/2/24 9:00 AM_]\nIP=0.0.0.0\n[Settings]\nMax Windows=8\n[(FR) X]\nIP=\n")
            << "" << QByteArrayList{} << 3;
    }
    void phonebookSections()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, codePage);
        QFETCH(QByteArrayList, fields);
        QFETCH(int, skipped);
        ImportedReflectors out;
        QString error;
        QVERIFY(PhonebookImport::Read(bytes, CClientCodePage(codePage), out, &error));
        QCOMPARE(out.skipped, skipped);
        QCOMPARE(out.candidates.size(), std::size_t(fields.isEmpty() ? 0 : 1));
        if (!fields.isEmpty())
            QCOMPARE(Fields(*out.candidates[0].record), fields);
    }

    void pasteTellsItsKind_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("kind");
        QTest::newRow("labelled") << QByteArray("\n  \nCountry: A;B\n") << int(ImportSource::Kind::ReflectorText);
        QTest::newRow("semicolons") << QByteArray("\r\nFrance;FR;X\n") << int(ImportSource::Kind::SemicolonList);
        QTest::newRow("neither") << QByteArray("hello") << int(ImportSource::Kind::ReflectorText);
    }
    void pasteTellsItsKind()
    {
        QFETCH(QByteArray, text);
        QFETCH(int, kind);
        QCOMPARE(int(ImportSource::KindOfText(text)), kind);
    }
};

LODEX_TEST(ImportTest)
#include "tst_import.moc"

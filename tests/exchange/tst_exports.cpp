#include "base/safesave.h"
#include "base/settingsstore.h"
#include "exchange/clientcodepage.h"
#include "exchange/datetimestamp.h"
#include "exchange/exportformat.h"
#include "exchange/filefilters.h"
#include "exchange/phonebookexport.h"
#include "exchange/semicolonlist.h"
#include "support/referenceprofile.h"
#include "support/testmain.h"
#include "support/testutil.h"

#include <QBuffer>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

namespace {

const DateTimeStamp kStamp{"7 Mar 2024", "14:05"};

// A device that takes `room` bytes, then fails like a full disk.
class FullDevice : public QIODevice
{
public:
    explicit FullDevice(qint64 room) : m_room(room) { open(QIODevice::WriteOnly); }
    QByteArray written;

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *data, qint64 size) override
    {
        if (size > m_room)
            return -1;
        m_room -= size;
        written.append(data, size);
        return size;
    }

private:
    qint64 m_room;
};

ReflectorList OneRecord(std::unique_ptr<CReflector> record)
{
    ReflectorList list;
    list.push_back(std::move(record));
    return list;
}

} // namespace

class DateTimeStampTest : public QObject
{
    Q_OBJECT

private slots:
    void stamp_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QByteArray>("date");
        QTest::addColumn<QByteArray>("time");
        QTest::newRow("en_US") << QLocale(QStringLiteral("en_US")) << QByteArray("12/27/24") << QByteArray("2:05 PM");
        QTest::newRow("de_DE") << QLocale(QStringLiteral("de_DE")) << QByteArray("27.12.24") << QByteArray("14:05");
        // C's short time shows seconds: they go.
        QTest::newRow("C") << QLocale::c() << QByteArray("27 Dec 2024") << QByteArray("14:05");
        // "2:05 E PASDITES" is 15 characters.
        QTest::newRow("sq_AL cut to 13") << QLocale(QStringLiteral("sq_AL")) << QByteArray("27.12.24")
                                         << QByteArray("2:05 E PASDIT");
        QTest::newRow("hr_HR exactly 13") << QLocale(QStringLiteral("hr_HR")) << QByteArray("27. 12. 2024.")
                                          << QByteArray("14:05");
    }
    void stamp()
    {
        QFETCH(QLocale, locale);
        QFETCH(QByteArray, date);
        QFETCH(QByteArray, time);
        const DateTimeStamp stamp = DateTimeStamp::Make(QDateTime(QDate(2024, 12, 27), QTime(14, 5, 9)), locale);
        QCOMPARE(stamp.date, date);
        QCOMPARE(stamp.time, time);
    }

    // The limit counts characters, not UTF-16 units nor bytes: Adlam
    // digits take two units and four bytes each.
    void stampCountsCharacters()
    {
        const QLocale adlam(QLocale::Fulah, QLocale::AdlamScript, QLocale::BurkinaFaso);
        const QDate date(2024, 12, 27);
        const QString full = adlam.toString(date, QLocale::ShortFormat);
        QCOMPARE(full.toUcs4().size(), 10);
        QCOMPARE(full.size(), 18);
        QCOMPARE(DateTimeStamp::Make(QDateTime(date, QTime(9, 0)), adlam).date, full.toUtf8());
    }

    void timeFormatWithoutSeconds_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("expected");
        QTest::newRow("24 hours") << "HH:mm:ss" << "HH:mm";
        QTest::newRow("no seconds") << "H.mm" << "H.mm";
        QTest::newRow("AM/PM after") << "h:mm:ss AP" << "h:mm AP";
        QTest::newRow("AM/PM before") << "AP h:mm:ss" << "AP h:mm";
        QTest::newRow("time zone") << "HH:mm:ss t" << "HH:mm t";
        QTest::newRow("milliseconds") << "HH:mm:ss.zzz" << "HH:mm";
        QTest::newRow("quoted letters") << "'s' HH:mm:ss 'Uhr'" << "'s' HH:mm 'Uhr'";
    }
    void timeFormatWithoutSeconds()
    {
        QFETCH(QString, format);
        QFETCH(QString, expected);
        QCOMPARE(TimeFormatWithoutSeconds(format), expected);
    }
};

class SemicolonListTest : public QObject
{
    Q_OBJECT

private slots:
    void line_data()
    {
        QTest::addColumn<std::shared_ptr<CReflector>>("record");
        QTest::addColumn<QByteArray>("line");
        auto row = [](const char *name, std::unique_ptr<CReflector> r, const char *line) {
            QTest::newRow(name) << std::shared_ptr<CReflector>(std::move(r)) << QByteArray(line);
        };
        row("all fields", RawRecord("France", "FR", "Paris Lab", "Paris", "192.0.2.1", "Ann", "a@b.fr", "12", 1, 0, 1, 0),
            "France;FR;Paris Lab;Paris;192.0.2.1;Ann;a@b.fr;12;AM:Yes;SV:No;RV:Yes;IR:No\r\n");
        row("flags off", RawRecord("C", "CC", "F", "S", "1", "", "", "0", 0, 0, 0, 0), "C;CC;F;S;1;;;0;AM:No;SV:No;RV:No;IR:No\r\n");
        row("flags other than 1", RawRecord("C", "CC", "F", "S", "1", "", "", "0", 2, -1, 65535, 256),
            "C;CC;F;S;1;;;0;AM:Yes;SV:Yes;RV:Yes;IR:Yes\r\n");
        row("texts empty", RawRecord("", "", "", "", "", "", "", "", 0, 0, 0, 1), ";;;;;;;;AM:No;SV:No;RV:No;IR:Yes\r\n");
        row("semicolon adds a field", RawRecord("C", "CC", "A;B", "S", "1", "", "", "0", 0, 0, 0, 0),
            "C;CC;A;B;S;1;;;0;AM:No;SV:No;RV:No;IR:No\r\n");
        // Windows-1252 from old files comes out as UTF-8, like the rest.
        row("spaces as stored, UTF-8 throughout", RawRecord(" C ", "CC", "Caf\xE9 \"x\"", "K\xC3\xB6ln", "1 ", "", "", "0", 0, 0, 0, 0),
            " C ;CC;Caf\xC3\xA9 \"x\";K\xC3\xB6ln;1 ;;;0;AM:No;SV:No;RV:No;IR:No\r\n");
        row("line breaks become spaces", RawRecord("C", "CC", "two\r\nlines", "S\n", "\r1", "", "", "0", 0, 0, 0, 0),
            "C;CC;two  lines;S ; 1;;;0;AM:No;SV:No;RV:No;IR:No\r\n");
    }
    void line()
    {
        QFETCH(std::shared_ptr<CReflector>, record);
        QFETCH(QByteArray, line);
        QByteArray out;
        SemicolonList::AppendLine(out, *record);
        QCOMPARE(out, line);
    }

    void wholeFileInListOrder()
    {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        QVERIFY(SemicolonList::Write(buffer, SampleList(3), kStamp));
        QCOMPARE(buffer.data(), QByteArray("LDX2 List 7 Mar 2024 @ 14:05\r\n"
                                           "France;FR;Reflector 1;R1;192.0.2.1;;;0;AM:Yes;SV:Yes;RV:Yes;IR:Yes\r\n"
                                           "France;FR;Reflector 2;R2;192.0.2.2;;;0;AM:Yes;SV:Yes;RV:Yes;IR:Yes\r\n"
                                           "France;FR;Reflector 3;R3;192.0.2.3;;;0;AM:Yes;SV:Yes;RV:Yes;IR:Yes\r\n"));
    }

    void emptyListGivesHeaderAlone()
    {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        QVERIFY(SemicolonList::Write(buffer, ReflectorList(), kStamp));
        QCOMPARE(buffer.data(), QByteArray("LDX2 List 7 Mar 2024 @ 14:05\r\n"));
    }

    // A full disk part-way: the writer stops and says so, in the header or
    // in the middle of a long list.
    void writeFailureIsReported_data()
    {
        QTest::addColumn<qint64>("room");
        QTest::newRow("no room") << qint64(0);
        QTest::newRow("half-way") << qint64(3 << 19);
    }
    void writeFailureIsReported()
    {
        QFETCH(qint64, room);
        FullDevice device(room);
        QVERIFY(!SemicolonList::Write(device, SampleList(40000), kStamp));
        QVERIFY(device.written.size() <= room);
    }
};

class ExportFileTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString Path(const QString &name) const { return m_dir.filePath(name); }

private slots:
    void init()
    {
        QDir(m_dir.path()).removeRecursively();
        QDir().mkpath(m_dir.path());
    }

    void newPhonebookHoldsOnlyWhatIsExported()
    {
        ReflectorList list;
        list.push_back(RawRecord("France", "FR", "Paris Lab", "Paris", "192.0.2.1", "Ann", "a@b", "3", 1, 0, 1, 1));
        list.push_back(RawRecord("Japan", "JP", "Stopped", "Kyoto", "192.0.2.2", "", "", "0", 1, 1, 1, 0));
        list.push_back(RawRecord("Germany", "DE", "Rhein", "Rhein", "192.0.2.3", "", "", "12", 0, 1, 0, 1));
        QString error;
        QVERIFY(PhonebookExport::Export(Path("nickname.ini"), list, kStamp, CClientCodePage(), &error));
        QCOMPARE(ReadAll(Path("nickname.ini")),
                 QByteArray("[_LDX List 7 Mar 2024 14:05_]\r\nIP=0.0.0.0\r\nSend Video=No\r\nReceive Video=No\r\n"
                            "Add To Menu=Yes\r\nConferenceID=0\r\n"
                            "\r\n[(FR) Paris]\r\nIP=192.0.2.1\r\nSend Video=No\r\nReceive Video=Yes\r\n"
                            "Add To Menu=Yes\r\nConferenceID=3\r\n"
                            "\r\n[(DE) Rhein]\r\nIP=192.0.2.3\r\nSend Video=Yes\r\nReceive Video=No\r\n"
                            "Add To Menu=No\r\nConferenceID=12\r\n"));
    }

    void noRunningReflectorWritesTheMarkerOnly()
    {
        ReflectorList list = SampleList(2);
        for (auto &r : list)
            r->m_bRunning = 0;
        QVERIFY(PhonebookExport::Export(Path("nickname.ini"), list, kStamp, CClientCodePage(), nullptr));
        QCOMPARE(ReadAll(Path("nickname.ini")),
                 QByteArray("[_LDX List 7 Mar 2024 14:05_]\r\nIP=0.0.0.0\r\nSend Video=No\r\nReceive Video=No\r\n"
                            "Add To Menu=Yes\r\nConferenceID=0\r\n"));
    }

    void markerPerMinute()
    {
        const QString path = Path("nickname.ini");
        QVERIFY(PhonebookExport::Export(path, SampleList(1), kStamp, CClientCodePage(), nullptr));
        const QByteArray once = ReadAll(path);
        QVERIFY(PhonebookExport::Export(path, SampleList(1), kStamp, CClientCodePage(), nullptr));
        QCOMPARE(ReadAll(path), once);
        QVERIFY(PhonebookExport::Export(path, SampleList(1), DateTimeStamp{"7 Mar 2024", "14:06"}, CClientCodePage(), nullptr));
        const QByteArray twice = ReadAll(path);
        QCOMPARE(twice.count("[_LDX List"), 2);
        QVERIFY(twice.startsWith(once));
        QVERIFY(twice.endsWith("\r\n[_LDX List 7 Mar 2024 14:06_]\r\nIP=0.0.0.0\r\nSend Video=No\r\nReceive Video=No\r\n"
                               "Add To Menu=Yes\r\nConferenceID=0\r\n"));
    }

    void clientPhonebookKeepsItsOtherLines()
    {
        const QByteArray existing = "; The client's own phonebook\n[Settings]\nMax Windows=8\n\n"
                                    "[(FR) R1]\nIP=10.0.0.1\nSend Video=No\nNote=mine\n\n[Friend]\nIP=198.51.100.9\n";
        const QString path = Path("nickname.ini");
        WriteAll(path, existing);
        QVERIFY(PhonebookExport::Export(path, SampleList(1), kStamp, CClientCodePage(), nullptr));
        QCOMPARE(ReadAll(path),
                 QByteArray("; The client's own phonebook\n[Settings]\nMax Windows=8\n\n"
                            "[(FR) R1]\nIP=192.0.2.1\r\nSend Video=Yes\r\nNote=mine\nReceive Video=Yes\r\n"
                            "Add To Menu=Yes\r\nConferenceID=0\r\n\n[Friend]\nIP=198.51.100.9\n"
                            "\r\n[_LDX List 7 Mar 2024 14:05_]\r\nIP=0.0.0.0\r\nSend Video=No\r\nReceive Video=No\r\n"
                            "Add To Menu=Yes\r\nConferenceID=0\r\n"));
    }

    // The client reads its phonebook in its Windows code page: names and
    // values go in that code page (Windows-1252 unless ClientCodePage names
    // another), '?' for a character it lacks, old Windows-1252 texts as they
    // are; sections it holds are found comparing in that code page.
    void phonebookInTheClientCodePage_data()
    {
        QTest::addColumn<QString>("codePage"); // the setting; empty: none
        QTest::addColumn<QByteArray>("shortName");
        QTest::addColumn<QByteArray>("existing");
        QTest::addColumn<QByteArray>("section");
        QTest::newRow("UTF-8 text") << "" << QByteArray("Z\xC3\xBCrich \xE2\x82\xAC") << QByteArray()
                                    << QByteArray("[(CH) Z\xFCrich \x80]");
        QTest::newRow("a character it lacks") << "" << QByteArray("Z\xE4\xB8\xADrich") << QByteArray()
                                              << QByteArray("[(CH) Z?rich]");
        QTest::newRow("Windows-1252 as stored") << "" << QByteArray("Z\xFCrich") << QByteArray()
                                                << QByteArray("[(CH) Z\xFCrich]");
        QTest::newRow("found in other case") << "" << QByteArray("Z\xC3\xBCrich") << QByteArray("[(ch) z\xDCRICH]\r\nIP=1\r\n")
                                             << QByteArray("[(ch) z\xDCRICH]\r\nIP=10.0.0.1\r\n");
        QTest::newRow("another code page") << "windows-1251" << QByteArray("\xD0\x96 \xC3\xBC") << QByteArray()
                                           << QByteArray("[(CH) \xC6 ?]");
        QTest::newRow("unknown code page") << "no-such-code-page" << QByteArray("Z\xC3\xBCrich") << QByteArray()
                                           << QByteArray("[(CH) Z\xFCrich]");
        // What the client reads from a UTF-16 phonebook goes through its code page.
        QTest::newRow("UTF-16 phonebook") << "windows-1251" << QByteArray("\xD0\x96 \xC3\xBC")
                                          << Utf16File("[Other]\r\n") << Utf16File("\r\n[(CH) \xD0\x96 ?]\r\n").mid(2);
    }
    void phonebookInTheClientCodePage()
    {
        QFETCH(QString, codePage);
        QFETCH(QByteArray, shortName);
        QFETCH(QByteArray, existing);
        QFETCH(QByteArray, section);
        CSettingsStore().WriteText("ClientCodePage", codePage);
        const QString path = Path("nickname.ini");
        if (!existing.isEmpty())
            WriteAll(path, existing);
        QVERIFY(ExportFormat::Export(path, OneRecord(RawRecord("", "CH", "", shortName.constData(), "10.0.0.1")), kStamp,
                                     nullptr));
        CSettingsStore().WriteText("ClientCodePage", QString());
        QVERIFY2(ReadAll(path).contains(section), ReadAll(path).constData());
    }

    void lineBreaksCannotAddSections()
    {
        const QString path = Path("nickname.ini");
        QVERIFY(PhonebookExport::Export(
            path, OneRecord(RawRecord("", "FR", "", "Evil\r\n[Settings]", "1\nMax Windows=99", "", "", "0\r", 0, 0, 0, 1)),
            kStamp, CClientCodePage(), nullptr));
        const QByteArray written = ReadAll(path);
        QVERIFY(written.contains("\r\n[(FR) Evil  [Settings]]\r\nIP=1 Max Windows=99\r\n"));
        QVERIFY(written.contains("ConferenceID=0 \r\n"));
        QCOMPARE(written.count('\n'), 13); // marker 6, blank line, section 6
    }

    // Both formats: a failed export leaves the file as it was, or no file.
    void failureLeavesFileAsItWas_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("readOnly");
        QTest::newRow("phonebook in a missing folder") << "no/such/nickname.ini" << false;
        QTest::newRow("list in a missing folder") << "no/such/list.csv" << false;
        QTest::newRow("read-only phonebook") << "nickname.ini" << true;
        QTest::newRow("read-only list") << "list.csv" << true;
        QTest::newRow("phonebook is a folder") << "folder.ini" << false;
    }
    void failureLeavesFileAsItWas()
    {
        QFETCH(QString, name);
        QFETCH(bool, readOnly);
        const QString path = Path(name);
        const QByteArray before = "[Settings]\r\nMax Windows=8\r\n";
        if (name.startsWith(QLatin1String("folder")))
            QDir().mkpath(path);
        else if (readOnly) {
            WriteAll(path, before);
            QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup);
        }
        QString error;
        QVERIFY(!ExportFormat::Export(path, SampleList(2), kStamp, &error));
        QVERIFY(!error.isEmpty());
        if (readOnly)
            QCOMPARE(ReadAll(path), before);
        else
            QVERIFY(!QFileInfo(path).isFile());
        QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden).size(), readOnly ? 1 : 0);
    }

    // A phonebook with a second link is written in place: the merge reads
    // its old contents while the file itself is rewritten.
    void phonebookWrittenInPlaceKeepsItsSections()
    {
        const QString path = Path("nickname.ini");
        const QByteArray before = "[Settings]\r\nMax Windows=8\r\n\r\n[(FR) R1]\r\nIP=1\r\nNote=mine\r\n";
        WriteAll(path, before);
        QCOMPARE(::link(QFile::encodeName(path).constData(), QFile::encodeName(Path("link.ini")).constData()), 0);
        const ReflectorList list = SampleList(2);
        QVERIFY(PhonebookExport::Export(path, list, kStamp, CClientCodePage(), nullptr));
        QCOMPARE(ReadAll(Path("link.ini")), ApplyOneByOne(before, ExportWrites(list, kStamp.date, kStamp.time)));
    }

    void failedWriteKeepsPreviousFile()
    {
        const QString path = Path("list.csv");
        WriteAll(path, "previous");
        // Writes all it can, then fails as a full disk would.
        auto failingWrite = [](QIODevice &device) {
            SemicolonList::Write(device, SampleList(10), kStamp);
            return false;
        };
        QString error;
        QVERIFY(!SaveFileSafely(path, failingWrite, &error));
        QCOMPARE(ReadAll(path), QByteArray("previous"));
        QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"list.csv"});
    }

    void listReplacesWholeFile()
    {
        const QString path = Path("list.txt");
        WriteAll(path, QByteArray(10000, 'x'));
        QVERIFY(ExportFormat::Export(path, SampleList(1), kStamp, nullptr));
        QCOMPARE(ReadAll(path), QByteArray("LDX2 List 7 Mar 2024 @ 14:05\r\n"
                                           "France;FR;Reflector 1;R1;192.0.2.1;;;0;AM:Yes;SV:Yes;RV:Yes;IR:Yes\r\n"));
    }

    void formatByExtension_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("phonebook");
        for (const char *name : {"nickname.ini", "NICKNAME.INI", "a.Ini", "b.iNI", "/some/dir.csv/x.ini"})
            QTest::newRow(name) << name << true;
        for (const char *name : {"a.csv", "a.txt", "a", "a.", "a.ini.bak", "a.inix", "/dir.ini/file", ".ini.csv"})
            QTest::newRow(name) << name << false;
    }
    void formatByExtension()
    {
        QFETCH(QString, name);
        QFETCH(bool, phonebook);
        QCOMPARE(ExportFormat::IsPhonebook(name), phonebook);
    }

    void qtFileFilters_data()
    {
        QTest::addColumn<QByteArray>("pipes");
        QTest::addColumn<QString>("qt");
        QTest::newRow("export") << QByteArray("INI File (*.ini)|*.ini|CSV File (*.csv)|*.csv||")
                                << "INI File (*.ini);;CSV File (*.csv)";
        QTest::newRow("import") << QByteArray("INI File (*.ini)|*.ini|CSV File (*.csv)|*.csv|Text File (*.txt)|*.txt|All Files (*.*)|*.*||")
                                << "INI File (*.ini);;CSV File (*.csv);;Text File (*.txt);;All Files (*)";
        QTest::newRow("patterns added") << QByteArray("Lists|*.csv;*.txt|Any|*||") << "Lists (*.csv *.txt);;Any (*)";
        QTest::newRow("every file, added") << QByteArray("All|*.*||") << "All (*)";
        QTest::newRow("empty") << QByteArray("") << "";
    }
    void qtFileFilters()
    {
        QFETCH(QByteArray, pipes);
        QFETCH(QString, qt);
        QCOMPARE(QtFileFilters(pipes.constData()), qt);
    }
};

LODEX_TEST(DateTimeStampTest)
LODEX_TEST(SemicolonListTest)
LODEX_TEST(ExportFileTest)
#include "tst_exports.moc"

#include "data/ldxfile.h"
#include "support/testmain.h"
#include "support/testutil.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>

namespace {

QByteArray Written(const ReflectorList &list)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    LdxFile::Write(list, buffer);
    return buffer.data();
}

bool Parse(const QByteArray &bytes, ReflectorList &list, QString *error = nullptr)
{
    return LdxFile::Read(bytes.constData(), std::size_t(bytes.size()), list, error);
}

// "France", "FR", "Reflector One", "R1", "192.0.2.1", "", "", "0", flags 1 1 1 0
const char *const kFirstBody = "06 4672616E6365 02 4652 0D 5265666C6563746F72204F6E65 02 5231"
                               " 09 3139322E302E322E31 00 00 01 30 0100 0100 0100 0000";
const char *const kHeader = "FFFF 0100 0A00 435265666C6563746F72";

QByteArray OneRecordFile()
{
    return Hex("0100") + Hex(kHeader) + Hex(kFirstBody);
}

// A device that accepts `room` bytes, then fails every write.
class FailingDevice : public QIODevice
{
public:
    explicit FailingDevice(qint64 room) : m_room(room) { open(WriteOnly); }
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *, qint64 len) override
    {
        if (len > m_room)
            return -1;
        m_room -= len;
        return len;
    }

private:
    qint64 m_room;
};

} // namespace

class LdxFileTest : public QObject
{
    Q_OBJECT

private slots:
    void writesTheDocumentedBytes()
    {
        ReflectorList list;
        list.push_back(RawRecord("France", "FR", "Reflector One", "R1", "192.0.2.1", "", "", "0", 1, 1, 1, 0));
        list.push_back(RawRecord("France", "FR", "Reflector One", "R1", "192.0.2.1", "", "", "0", 1, 1, 1, 0));
        const QByteArray expected = Hex("0200") + Hex(kHeader) + Hex(kFirstBody) + Hex("0180") + Hex(kFirstBody);
        QCOMPARE(Written(list).toHex(' '), expected.toHex(' '));
    }

    void emptyListIsTwoZeroBytes()
    {
        QCOMPARE(Written(ReflectorList()), Hex("0000"));
    }

    void oneRecordHasNoClassTag()
    {
        ReflectorList list;
        list.push_back(RawRecord("France", "FR", "Reflector One", "R1", "192.0.2.1", "", "", "0", 1, 1, 1, 0));
        QCOMPARE(Written(list), OneRecordFile());
    }

    void flagsKeepTheirLow16Bits()
    {
        ReflectorList list;
        list.push_back(RawRecord("", "", "", "", "", "", "", "", 1, 2, 0x12345, -1));
        QVERIFY(Written(list).endsWith(Hex("0100 0200 4523 FFFF")));
    }

    void lengthPrefix_data()
    {
        QTest::addColumn<int>("length");
        QTest::addColumn<QByteArray>("prefix");
        QTest::newRow("0") << 0 << Hex("00");
        QTest::newRow("254") << 254 << Hex("FE");
        QTest::newRow("255") << 255 << Hex("FF FF00");
        QTest::newRow("65533") << 65533 << Hex("FF FDFF");
        QTest::newRow("65534") << 65534 << Hex("FF FFFF FEFF0000");
        QTest::newRow("70000") << 70000 << Hex("FF FFFF 70110100");
    }
    void lengthPrefix()
    {
        QFETCH(int, length);
        QFETCH(QByteArray, prefix);
        ReflectorList list;
        list.push_back(RawRecord("", "", "", "", "", "", "", ""));
        list[0]->m_strFullName = CText(QByteArray(length, 'n'));
        const QByteArray bytes = Written(list);
        const int bodyStart = 2 + 16;
        QCOMPARE(bytes.mid(bodyStart + 2, prefix.size()).toHex(' '), prefix.toHex(' '));
        ReflectorList back;
        QVERIFY(Parse(bytes, back));
        QCOMPARE(back[0]->m_strFullName.toByteArray(), QByteArray(length, 'n'));
    }

    void roundTripKeepsBytes()
    {
        ReflectorList list;
        list.push_back(RawRecord(" Fr ", "F\xC3\xA9", " lead and trail ", "\xFF\xFE", "10.0.0.1 ", "\t", "x;y", "123"));
        ReflectorList back;
        QVERIFY(Parse(Written(list), back));
        QCOMPARE(back.size(), size_t(1));
        for (int i = 0; i < CReflector::kTextCount; ++i)
            QCOMPARE(back[0]->Text(i).toByteArray(), list[0]->Text(i).toByteArray());
    }

    void largeCountUsesLongForm()
    {
        ReflectorList list;
        for (int i = 0; i < 65535; ++i)
            list.push_back(std::make_unique<CReflector>());
        const QByteArray bytes = Written(list);
        QVERIFY(bytes.startsWith(Hex("FFFF FFFF0000 FFFF")));
        ReflectorList back;
        QVERIFY(Parse(bytes, back));
        QCOMPARE(back.size(), size_t(65535));
    }

    void reads_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("count");
        QTest::addColumn<QByteArray>("fullName");
        QTest::newRow("zero bytes") << QByteArray() << 0 << QByteArray();
        QTest::newRow("00 00") << Hex("0000") << 0 << QByteArray();
        QTest::newRow("count 0 in long form") << Hex("FFFF 00000000") << 0 << QByteArray();
        QTest::newRow("one record") << OneRecordFile() << 1 << QByteArray("Reflector One");
        QTest::newRow("trailing bytes ignored") << OneRecordFile() + Hex("DEADBEEF") << 1 << QByteArray("Reflector One");
        QTest::newRow("count in long form") << Hex("FFFF 01000000") + Hex(kHeader) + Hex(kFirstBody) << 1
                                            << QByteArray("Reflector One");
        const QByteArray emptyTexts = Hex("00 00 00 00 00"); // the five texts after the full name
        const QByteArray flags = Hex("0000 0000 0000 0000");
        QTest::newRow("UTF-16 text") << Hex("0100") + Hex(kHeader) + Hex("00 00 FFFEFF 03 4C00E9006100") + emptyTexts + flags
                                     << 1 << QByteArray("L\xC3\xA9" "a");
        QTest::newRow("UTF-16 with u16 length") << Hex("0100") + Hex(kHeader) + Hex("00 00 FFFEFF FF 0100 4100") + emptyTexts + flags
                                                << 1 << QByteArray("A");
        QTest::newRow("u32 length form") << Hex("0100") + Hex(kHeader) + Hex("00 00 FF FFFF 01000000 41") + emptyTexts + flags
                                         << 1 << QByteArray("A");
        QTest::newRow("u64 length form") << Hex("0100") + Hex(kHeader) + Hex("00 00 FF FFFF FFFFFFFF 0100000000000000 41") + emptyTexts + flags
                                         << 1 << QByteArray("A");
        QTest::newRow("zero byte cuts text") << Hex("0100") + Hex(kHeader) + Hex("00 00 03 410042") + emptyTexts + flags
                                             << 1 << QByteArray("A");
        QTest::newRow("long-form class tag") << Hex("0200") + Hex(kHeader) + Hex(kFirstBody) + Hex("FF7F 01000080") + Hex(kFirstBody)
                                             << 2 << QByteArray("Reflector One");
    }
    void reads()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, count);
        QFETCH(QByteArray, fullName);
        ReflectorList list;
        QString error;
        QVERIFY2(Parse(bytes, list, &error), qPrintable(error));
        QCOMPARE(int(list.size()), count);
        if (count)
            QCOMPARE(list[0]->m_strFullName.toByteArray(), fullName);
    }

    void flagsWidenFromU16()
    {
        QByteArray bytes = OneRecordFile();
        bytes.replace(bytes.size() - 8, 8, Hex("0200 FFFF 0000 0100"));
        ReflectorList list;
        QVERIFY(Parse(bytes, list));
        QCOMPARE(list[0]->m_bAddToMenu, 2);
        QCOMPARE(list[0]->m_bSendVideo, 65535);
        QCOMPARE(list[0]->m_bReceiveVideo, 0);
        QCOMPARE(list[0]->m_bRunning, 1);
    }

    void malformed_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        const QByteArray one = OneRecordFile();
        QTest::newRow("one byte") << Hex("01");
        QTest::newRow("count without entries") << Hex("0100");
        QTest::newRow("class name CReflectoR") << Hex("0100 FFFF 0100 0A00 435265666C6563746F52") + Hex(kFirstBody);
        QTest::newRow("schema 2") << Hex("0100 FFFF 0200 0A00 435265666C6563746F72") + Hex(kFirstBody);
        QTest::newRow("class name of 64 bytes") << Hex("0100 FFFF 0100 4000") + QByteArray(64, 'C') + Hex(kFirstBody);
        QTest::newRow("class name cut short") << Hex("0100 FFFF 0100 0A00 4352");
        QTest::newRow("class tag before any class") << Hex("0100 0180") + Hex(kFirstBody);
        QTest::newRow("class tag index 0") << Hex("0200") + Hex(kHeader) + Hex(kFirstBody) + Hex("0080") + Hex(kFirstBody);
        QTest::newRow("class tag refers to record") << Hex("0200") + Hex(kHeader) + Hex(kFirstBody) + Hex("0280") + Hex(kFirstBody);
        QTest::newRow("class tag beyond indexes") << Hex("0200") + Hex(kHeader) + Hex(kFirstBody) + Hex("0980") + Hex(kFirstBody);
        QTest::newRow("null tag") << Hex("0100 0000") + Hex(kFirstBody);
        QTest::newRow("reference back to record") << Hex("0200") + Hex(kHeader) + Hex(kFirstBody) + Hex("0200");
        QTest::newRow("long-form object reference") << Hex("0200") + Hex(kHeader) + Hex(kFirstBody) + Hex("FF7F 02000000") + Hex(kFirstBody);
        QTest::newRow("u64 length over 2 GiB") << Hex("0100") + Hex(kHeader) + Hex("FF FFFF FFFFFFFF 0000008000000000");
        QTest::newRow("length beyond the file") << Hex("0100") + Hex(kHeader) + Hex("FF FFFF FEFFFF7F 41");
        QTest::newRow("UTF-16 length beyond the file") << Hex("0100") + Hex(kHeader) + Hex("FF FEFF 05 4100");
        QTest::newRow("four billion records") << Hex("FFFF FFFFFFFF") + Hex(kHeader) + QByteArray(20, '\0');
        QTest::newRow("cut in the flags") << one.left(one.size() - 1);
        QTest::newRow("third record cut") << Hex("0300") + Hex(kHeader) + Hex(kFirstBody) + Hex("0180") + Hex(kFirstBody)
                                                 + Hex("0180") + Hex(kFirstBody).left(10);
    }
    void malformed()
    {
        QFETCH(QByteArray, bytes);
        ReflectorList list;
        list.push_back(RawRecord("a", "b", "c", "d", "e"));
        QString error;
        QVERIFY(!Parse(bytes, list, &error));
        QVERIFY(list.empty()); // nothing of a bad file stays
        QVERIFY(!error.isEmpty());
    }

    void writeFailureIsReported()
    {
        const ReflectorList list = SampleList(20000);
        FailingDevice device(100000);
        QVERIFY(!LdxFile::Write(list, device));
    }

    void saveReplacesAtomically()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("list.ldx"));
        QString error;
        QVERIFY(LdxFile::Save(path, SampleList(3), &error));
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
        QVERIFY(LdxFile::Save(path, SampleList(5), &error));
        ReflectorList back;
        QCOMPARE(LdxFile::Load(path, back, &error), OpenResult::Opened);
        QCOMPARE(back.size(), size_t(5));
        // The replacement keeps the permissions the user gave the file.
        const QFile::Permissions ownerGroupOther(0x7077);
        QCOMPARE(QFile::permissions(path) & ownerGroupOther, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
    }

    void failedSaveKeepsTheOldFile()
    {
        // A file-size limit makes the write fail half-way, as a full disk would.
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("list.ldx"));
        QVERIFY(LdxFile::Save(path, SampleList(2), nullptr));
        const QByteArray before = ReadAll(path);

        auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit previous{};
        getrlimit(RLIMIT_FSIZE, &previous);
        rlimit small = previous;
        small.rlim_cur = 4096;
        setrlimit(RLIMIT_FSIZE, &small);
        QString error;
        const bool saved = LdxFile::Save(path, SampleList(5000), &error);
        setrlimit(RLIMIT_FSIZE, &previous);
        std::signal(SIGXFSZ, previousHandler);

        QVERIFY(!saved);
        QVERIFY(!error.isEmpty());
        QCOMPARE(ReadAll(path), before);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
    }

    void readOnlyTargetIsRefused()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("list.ldx"));
        QVERIFY(LdxFile::Save(path, SampleList(2), nullptr));
        const QByteArray before = ReadAll(path);
        QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
        QString error;
        QVERIFY(!LdxFile::Save(path, SampleList(3), &error));
        QVERIFY(!error.isEmpty());
        QCOMPARE(ReadAll(path), before);
    }

    void missingFolderIsReported()
    {
        QTemporaryDir dir;
        QString error;
        QVERIFY(!LdxFile::Save(dir.filePath(QStringLiteral("no/such/list.ldx")), SampleList(1), &error));
        QVERIFY(!error.isEmpty());
    }

    void loadsFilesLargerThanItsWindow()
    {
        // Records straddle the reader's 1 MiB window, and one text is
        // larger than the window itself.
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("large.ldx"));
        ReflectorList list = SampleList(40000);
        list[20000]->m_strFullName = CText(QByteArray(3 << 20, 'w'));
        QVERIFY(LdxFile::Save(path, list, nullptr));
        ReflectorList back;
        QString error;
        QCOMPARE(LdxFile::Load(path, back, &error), OpenResult::Opened);
        QCOMPARE(back.size(), list.size());
        for (std::size_t i : {std::size_t(0), std::size_t(19999), std::size_t(20000), std::size_t(39999)})
            for (int t = 0; t < CReflector::kTextCount; ++t)
                QCOMPARE(back[i]->Text(t).toByteArray(), list[i]->Text(t).toByteArray());

        // Cut in the middle: refused whole, as from memory.
        QByteArray bytes = ReadAll(path);
        bytes.chop(1);
        QVERIFY(WriteAll(path, bytes));
        QCOMPARE(LdxFile::Load(path, back, &error), OpenResult::Malformed);
        QVERIFY(back.empty());
    }

    void textsOutliveTheirList()
    {
        // A list's texts are shared with their copies: a copy outlives the
        // list, whose memory then holds the records read next.
        ReflectorList list;
        QVERIFY(Parse(Written(SampleList(30000)), list));
        const CText kept = list[12345]->m_strFullName;
        list.clear();
        ReflectorList other = SampleList(30000);
        for (auto &record : other)
            record->m_strFullName = CText("Another name, as long");
        QVERIFY(Parse(Written(other), list));
        QCOMPARE(kept.view(), "Reflector 12346");
    }

    void classesAreLookedUpByIndex()
    {
        // 60,000 class descriptions, then records naming the last one by
        // its index: once a scan of every class per record (minutes).
        constexpr int kClasses = 60000;
        constexpr int kRecords = 600000;
        const QByteArray body = Hex(kFirstBody);
        QByteArray file = Hex("FFFF") + QByteArray(reinterpret_cast<const char *>(&kRecords), 4);
        for (int i = 0; i < kClasses; ++i)
            file += Hex(kHeader) + body; // a class, then its record: indexes 2i+1, 2i+2
        const quint32 lastClass = 0x80000000u | (2 * kClasses - 1);
        const QByteArray reference = Hex("FF7F") + QByteArray(reinterpret_cast<const char *>(&lastClass), 4);
        for (int i = kClasses; i < kRecords; ++i)
            file += reference + body;
        QElapsedTimer timer;
        timer.start();
        ReflectorList list;
        QString error;
        QVERIFY2(Parse(file, list, &error), qPrintable(error));
        QCOMPARE(int(list.size()), kRecords);
        QVERIFY2(timer.elapsed() < 5000, qPrintable(QString::number(timer.elapsed())));
    }

    void loadTellsUnopenableFromMalformed()
    {
        QTemporaryDir dir;
        ReflectorList list;
        QString error;
        QCOMPARE(LdxFile::Load(dir.filePath(QStringLiteral("missing.ldx")), list, &error),
                 OpenResult::NotOpenable);
        const QString bad = dir.filePath(QStringLiteral("bad.ldx"));
        QVERIFY(WriteAll(bad, Hex("0100 FFFF")));
        QCOMPARE(LdxFile::Load(bad, list, &error), OpenResult::Malformed);
        QCOMPARE(LdxFile::Load(dir.path(), list, &error) == OpenResult::Opened, false);
    }
};

LODEX_TEST(LdxFileTest)
#include "tst_ldxfile.moc"

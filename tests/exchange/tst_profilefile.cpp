#include "exchange/clientcodepage.h"
#include "exchange/datetimestamp.h"
#include "exchange/foldednames.h"
#include "exchange/phonebookexport.h"
#include "support/referenceprofile.h"
#include "support/testmain.h"
#include "support/testutil.h"

#include <QBuffer>
#include <QRandomGenerator>
#include <QTest>

#include <algorithm>
#include <cstring>

namespace {

const DateTimeStamp kStamp{"7 Mar 2024", "14:05"};

// The reference model writes and compares UTF-8, as a client reading its
// phonebook in UTF-8 would.
const CClientCodePage &Utf8Client()
{
    static const CClientCodePage utf8(QStringLiteral("UTF-8"));
    return utf8;
}

// A phonebook handed over as a pipe would: sequential, a few bytes at a
// time, so that lines and UTF-16 characters arrive cut anywhere; it fails
// after `failAfter` bytes when that is not negative.
class TrickleDevice : public QIODevice
{
public:
    explicit TrickleDevice(QByteArray bytes, qint64 failAfter = -1) : m_bytes(std::move(bytes)), m_failAfter(failAfter)
    {
        open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    }
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char *data, qint64 size) override
    {
        if (m_failAfter >= 0 && m_at >= m_failAfter)
            return -1;
        const qint64 n = std::min({size, qint64(1 + m_at % 3), m_bytes.size() - m_at});
        std::memcpy(data, m_bytes.constData() + m_at, std::size_t(n));
        m_at += n;
        return n;
    }
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    QByteArray m_bytes;
    qint64 m_failAfter;
    qint64 m_at = 0;
};

QByteArray Merged(const QByteArray &file, const ReflectorList &list)
{
    TrickleDevice existing(file);
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    if (!PhonebookExport::Merge(existing, out, list, kStamp, Utf8Client()))
        return "merge failed";
    return out.data();
}

// Running and stopped reflectors; sections that the tricky files hold in
// other spellings; a name the folding of other letters must match.
ReflectorList ExportedList()
{
    ReflectorList list;
    list.push_back(RawRecord("France", "FR", "Paris Lab", "Paris", "192.0.2.1", "", "", "3", 1, 0, 1, 1));
    list.push_back(RawRecord("Germany", "DE", "Rhein", "Rhein", "192.0.2.2", "", "", "0", 0, 0, 0, 0));
    list.push_back(RawRecord("Germany", "DE", "K\xC3\xB6ln", "K\xC3\xB6ln", "192.0.2.3", "", "", "12", 1, 1, 1, 1));
    list.push_back(RawRecord("France", "FR", "Odd", "a]b", "192.0.2.4", "", "", "0", 0, 1, 0, 1));
    list.push_back(RawRecord("France", "fr", "Again", "PARIS", "192.0.2.5", "", "", "7", 1, 1, 1, 2));
    list.push_back(RawRecord("Chile", "CL", "Spaced", "Arica ", "192.0.2.6", "", "", "1", 1, 1, 1, 1));
    return list;
}

// Pieces of random files: headers, keys, comments and blanks in the
// spellings that the rules treat alike or apart.
const QByteArrayList kLines = {
    "[A]", " [a] ", "[ B\t]", "[(FR) Paris]", "[(fr) PARIS]", "[ (FR) Paris ]", "[(DE) K\xC3\x96ln]", "[x]y]", "[",
    "[]", "k=1", " K = 2 ", "IP", "ip=", "Send Video=Yes", "; k=3", ";[A]", "", "  ", "\t", "=v", "m=\r",
    "\xEF\xBB\xBF[A]", "[_LDX List 7 Mar 2024 14:05_]", "ConferenceID",
};
const QByteArrayList kEnds = {"\r\n", "\n", "\r", "\r\n", ""};
const QByteArrayList kLetters = {"FR", "fr", "DE", " FR"};
const QByteArrayList kShortNames = {"Paris", "PARIS", "K\xC3\xB6ln", "New", "", "Paris "};

QByteArray Pick(QRandomGenerator &random, const QByteArrayList &from)
{
    return from[random.bounded(int(from.size()))];
}

// A file of random lines, one time in three in UTF-16.
QByteArray RandomFile(QRandomGenerator &random)
{
    QByteArray file;
    const int lines = int(random.bounded(8));
    for (int i = 0; i < lines; ++i)
        file += Pick(random, kLines) + Pick(random, kEnds);
    switch (random.bounded(6)) {
    case 0:
        return Utf16File(file);
    case 1:
        return Utf16File(file, true);
    default:
        return file;
    }
}

} // namespace

class PhonebookMergeTest : public QObject
{
    Q_OBJECT

private slots:
    // Existing files that test every rule of a profile write, as they are
    // and in UTF-16 of both byte orders.
    void exportEqualsOneWriteAtATime_data()
    {
        QTest::addColumn<QByteArray>("file");
        const QList<std::pair<const char *, QByteArray>> files = {
            {"empty", ""},
            {"unrelated sections", "[Settings]\r\nMax Windows=8\r\n\r\n[Flow Control]\r\nMaxCap=28\r\n"},
            {"no final line break", "[Settings]\r\nMax Windows=8"},
            {"LF only", "[(FR) Paris]\nIP=1.1.1.1\nSend Video=No\n\n[Other]\nx=1\n"},
            {"CR only", "[Other]\rx=1\r[(FR) Paris]\rIP=1\r\r[(DE) K\xC3\xB6ln]\rIP=2\r"},
            {"spaced header and names",
             "  [(fr) PARIS] \t\r\n  ip = 9.9.9.9 \r\nSEND VIDEO\r\n; IP=comment\r\n\r\n\r\n[Other]\r\nx=1\r\n"},
            {"blanks inside the brackets", "[ (FR) Paris ]\r\nIP=1\r\n[\t(CL) Arica\t]\r\n[ (CL) Arica ]\r\n"},
            {"repeated section", "[(FR) Paris]\r\nIP=1\r\n[Other]\r\n[(FR) PARIS]\r\nIP=2\r\nExtra=0\r\n"},
            {"repeated key", "[(FR) Paris]\r\nIP=1\r\nip=2\r\n"},
            {"comments and blanks closing a section",
             "[(FR) Paris]\r\n; note\r\nIP=1\r\n; trailing comment\r\n\r\n  \t\r\n[Next]\r\n"},
            {"byte order mark", "\xEF\xBB\xBF[(FR) Paris]\r\nIP=1\r\n"},
            {"byte order mark alone", "\xEF\xBB\xBF"},
            {"lines before the first section", "IP=global\r\n; top\r\n[(FR) Paris]\r\n"},
            {"unclosed bracket", "[(FR) Paris\r\nIP=1\r\n"},
            {"comment that looks like a section", ";[(FR) Paris]\r\nIP=1\r\n"},
            {"ends with a blank line", "[A]\r\nk=v\r\n\r\n"},
            {"ends with blanks and no line break", "[A]\r\nk=v\r\n \t "},
            {"mixed line ends", "[A]\nk=v\r\n[(FR) Paris]\rIP=1\r\nSend Video=Yes\n[New]\nA=0"},
            {"last key without line break", "[(FR) Paris]\r\nIP=1"},
            {"last section header without line break", "[Other]\r\nx=1\r\n[(FR) Paris]"},
            {"last line ends in CR", "[(FR) Paris]\r\nIP=1\r"},
            {"other letters in other case", "[(de) K\xC3\x96LN]\r\nip=1\r\n"},
            {"bracket inside a name", "[(FR) a]b]\r\nIP=1\r\n"},
            {"comment after a header", "[(FR) Paris] ; mine\r\nIP=1\r\n[x]y\r\n"},
            {"lone CR inside a line", "[Other]\r\nx=v\rw\r\n[(FR) Paris]\r\nIP\r=1\r\n"},
            {"bytes that are not UTF-8", "[(FR) Caf\xE9]\r\nIP=1\r\n[(fr) CAF\xC9]\r\n"},
            {"empty names", "[]\r\n=x\r\n[(FR) Paris]\r\n=\r\nIP=\r\n"},
            {"white space only", "\r\n  \r\n\t\n"},
            {"marker of the same minute",
             "[_ldx list 7 mar 2024 14:05_]\r\nIP=0.0.0.0\r\n\r\n[(FR) Paris]\r\nIP=1\r\n"},
        };
        for (const auto &[name, file] : files) {
            QTest::newRow(name) << file;
            QTest::addRow("%s, UTF-16", name) << Utf16File(file);
            QTest::addRow("%s, UTF-16 BE", name) << Utf16File(file, true);
        }
        QTest::newRow("UTF-16 with a stray last byte") << Utf16File("[(FR) Paris]\r\nIP=1\r\n") + 'x';
        QTest::newRow("UTF-16 with a lone surrogate") << Utf16File("[A]\r\n").append("\x00\xD8\r\x00\n\x00", 6);
    }
    void exportEqualsOneWriteAtATime()
    {
        QFETCH(QByteArray, file);
        const ReflectorList list = ExportedList();
        QCOMPARE(Merged(file, list), ApplyOneByOne(file, ExportWrites(list, kStamp.date, kStamp.time)));
    }

    // Files and lists drawn from pieces that each touch a rule, many times
    // over, with a fixed seed: a failure names its round.
    void randomExportsEqualOneWriteAtATime()
    {
        QRandomGenerator random(1996);
        for (int round = 0; round < 2000; ++round) {
            const QByteArray file = RandomFile(random);
            ReflectorList list;
            const int count = int(random.bounded(5));
            for (int i = 0; i < count; ++i) {
                const QByteArray ip = QByteArray::number(i);
                list.push_back(RawRecord("", Pick(random, kLetters).constData(), "", Pick(random, kShortNames).constData(),
                                         ip.constData(), "", "", ip.constData(), i % 2, i % 3, 1, int(random.bounded(3))));
            }
            if (Merged(file, list) != ApplyOneByOne(file, ExportWrites(list, kStamp.date, kStamp.time)))
                QFAIL(qPrintable(QStringLiteral("round %1: %2").arg(round).arg(QString::fromLatin1(file.toPercentEncoding()))));
        }
    }

    // The reference's rules, against files worked out by hand.
    void writeRules_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QByteArray>("section");
        QTest::addColumn<QByteArray>("key");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("found in place, spelling kept")
            << QByteArray(" [s] \n ; c\n  kEy =  old \nz=1\n") << QByteArray("S") << QByteArray("KEY")
            << QByteArray(" [s] \n ; c\nkEy=v\r\nz=1\n");
        QTest::newRow("line without equals sign") << QByteArray("[S]\nK\n") << QByteArray("S") << QByteArray("k")
                                                  << QByteArray("[S]\nK=v\r\n");
        QTest::newRow("comment never a key") << QByteArray("[S]\n;K=1\n\n[T]\n") << QByteArray("S") << QByteArray("K")
                                             << QByteArray("[S]\n;K=1\nK=v\r\n\n[T]\n");
        QTest::newRow("after the last non-blank line")
            << QByteArray("[S]\r\na=1\r\n\r\n\r\n[T]\r\n") << QByteArray("S") << QByteArray("K")
            << QByteArray("[S]\r\na=1\r\nK=v\r\n\r\n\r\n[T]\r\n");
        QTest::newRow("first of two sections") << QByteArray("[S]\n[s]\nK=1\n") << QByteArray("S") << QByteArray("K")
                                               << QByteArray("[S]\nK=v\r\n[s]\nK=1\n");
        QTest::newRow("byte order mark kept") << QByteArray("\xEF\xBB\xBF[S]\r\nK=1\r\n") << QByteArray("s")
                                              << QByteArray("K") << QByteArray("\xEF\xBB\xBF[S]\r\nK=v\r\n");
        // The client reads "K=2" as a key of S: a write to A must not take it.
        QTest::newRow("text after a header") << QByteArray("[A]\r\n[S] ; note\r\nK=2\r\n") << QByteArray("A")
                                             << QByteArray("K") << QByteArray("[A]\r\nK=v\r\n[S] ; note\r\nK=2\r\n");
        QTest::newRow("found behind text after its header")
            << QByteArray("[A]\r\n[S] ; note\r\nK=2\r\n") << QByteArray("s") << QByteArray("K")
            << QByteArray("[A]\r\n[S] ; note\r\nK=v\r\n");
        QTest::newRow("a lone CR ends a line") << QByteArray("[S]\rK=1\r[T]\rK=2\r") << QByteArray("T")
                                               << QByteArray("K") << QByteArray("[S]\rK=1\r[T]\rK=v\r\n");
        QTest::newRow("added after a line ending in CR") << QByteArray("[S]\ra=1\r\r[T]\r") << QByteArray("s")
                                                         << QByteArray("K") << QByteArray("[S]\ra=1\rK=v\r\n\r[T]\r");
        QTest::newRow("blanks inside the brackets") << QByteArray("[ S\t]\r\n") << QByteArray(" s ") << QByteArray("K")
                                                    << QByteArray("[ S\t]\r\nK=v\r\n");
        QTest::newRow("UTF-16 found in place") << Utf16File("[S]\r\nk=1\r\n") << QByteArray("s") << QByteArray("K")
                                               << Utf16File("[S]\r\nk=v\r\n");
        QTest::newRow("UTF-16 BE appended") << Utf16File("[S]\nk=1", true) << QByteArray("T") << QByteArray("K")
                                            << Utf16File("[S]\nk=1\r\n\r\n[T]\r\nK=v\r\n", true);
        QTest::newRow("UTF-16 byte order mark alone") << Utf16File("") << QByteArray("\xC3\x96") << QByteArray("K")
                                                      << Utf16File("[\xC3\x96]\r\nK=v\r\n");
    }
    void writeRules()
    {
        QFETCH(QByteArray, file);
        QFETCH(QByteArray, section);
        QFETCH(QByteArray, key);
        QFETCH(QByteArray, expected);
        QCOMPARE(ApplyOneByOne(file, {{section, key, "v"}}), expected);
    }

    // What goes between the file and the sections it lacks, worked out by
    // hand: the export writes only its marker section here.
    void newSectionsFollowTheFile_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QByteArray>("separator");
        QTest::newRow("new file") << QByteArray() << QByteArray();
        QTest::newRow("after a blank line") << QByteArray("[A]\nx=1\n") << QByteArray("\r\n");
        QTest::newRow("after a line break") << QByteArray("[A]\r\nx=1") << QByteArray("\r\n\r\n");
        QTest::newRow("after a lone CR") << QByteArray("[A]\rx=1\r") << QByteArray("\r\n");
        QTest::newRow("no second blank line") << QByteArray("[A]\r\n\r\n") << QByteArray();
        QTest::newRow("byte order mark alone, as an empty file") << QByteArray("\xEF\xBB\xBF") << QByteArray();
    }
    void newSectionsFollowTheFile()
    {
        QFETCH(QByteArray, file);
        QFETCH(QByteArray, separator);
        QCOMPARE(Merged(file, {}), file + separator
                                       + "[_LDX List 7 Mar 2024 14:05_]\r\nIP=0.0.0.0\r\nSend Video=No\r\n"
                                         "Receive Video=No\r\nAdd To Menu=Yes\r\nConferenceID=0\r\n");
    }

    // Neither a section of the file nor a new one can gain lines.
    void lineBreaksInNamesAndValuesBecomeSpaces()
    {
        ReflectorList list;
        list.push_back(RawRecord("", "FR", "", "S\r\n[T]", "1\r\n[Evil]\nX=1\r", "", "", "0", 0, 0, 0, 1));
        for (const QByteArray &file : {QByteArray(), QByteArray("[(FR) S  [T]]\r\nIP=0\r\n")}) {
            const QByteArray merged = Merged(file, list);
            QVERIFY2(merged.contains("[(FR) S  [T]]\r\nIP=1  [Evil] X=1 \r\n"), merged.constData());
        }
    }

    // The file is read a megabyte at a time: a longer line, and a device
    // that fails part way.
    void readsAsItGoes()
    {
        const QByteArray longLine = "; " + QByteArray(3 << 20, 'x') + "\r\n";
        const QByteArray file = longLine + "[(FR) Paris]\r\nIP=1\r\n" + longLine;
        QBuffer existing;
        existing.setData(file);
        existing.open(QIODevice::ReadOnly);
        QBuffer out;
        out.open(QIODevice::WriteOnly);
        const ReflectorList list = ExportedList();
        QVERIFY(PhonebookExport::Merge(existing, out, list, kStamp, Utf8Client()));
        QCOMPARE(out.data(), ApplyOneByOne(file, ExportWrites(list, kStamp.date, kStamp.time)));

        TrickleDevice failing(file, 100);
        QVERIFY(!PhonebookExport::Merge(failing, out, list, kStamp, Utf8Client()));
    }

    void foldCase_data()
    {
        QTest::addColumn<QByteArray>("a");
        QTest::addColumn<QByteArray>("b");
        QTest::addColumn<bool>("same");
        QTest::newRow("ASCII") << QByteArray("(FR) Paris") << QByteArray("(fr) PARIS") << true;
        QTest::newRow("UTF-8 letters") << QByteArray("K\xC3\xB6ln") << QByteArray("K\xC3\x96LN") << true;
        QTest::newRow("Greek sigma") << QByteArray("\xCE\xA3") << QByteArray("\xCF\x83") << true;
        QTest::newRow("Latin-1 bytes only as ASCII") << QByteArray("Caf\xE9") << QByteArray("CAF\xC9") << false;
        QTest::newRow("two stray bytes stay apart") << QByteArray("\xE9") << QByteArray("\xE8") << false;
        QTest::newRow("punctuation") << QByteArray("[a]") << QByteArray("{a}") << false;
    }
    void foldCase()
    {
        QFETCH(QByteArray, a);
        QFETCH(QByteArray, b);
        QFETCH(bool, same);
        QCOMPARE(FoldCase(a) == FoldCase(b), same);
    }
};

LODEX_TEST(PhonebookMergeTest)
#include "tst_profilefile.moc"

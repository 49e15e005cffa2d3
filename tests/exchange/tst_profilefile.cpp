#include "exchange/clientcodepage.h"
#include "exchange/datetimestamp.h"
#include "exchange/phonebookexport.h"
#include "exchange/profilefile.h"
#include "support/referenceprofile.h"
#include "support/testmain.h"
#include "support/testutil.h"

#include <QBuffer>
#include <QRandomGenerator>
#include <QTest>

namespace {

const DateTimeStamp kStamp{"7 Mar 2024", "14:05"};

// The reference model writes and compares UTF-8, as a client reading its
// phonebook in UTF-8 would.
const CClientCodePage &Utf8Client()
{
    static const CClientCodePage utf8(QStringLiteral("UTF-8"));
    return utf8;
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
    return list;
}

// Writes of any kind: new keys in found and appended sections, a key
// written twice, sections found again in other letter case.
const WriteList kMixedWrites = {
    {"(FR) Paris", "Extra", "1"},  {"New", "A", "1"},      {"(fr) paris", "IP", "10.0.0.1"},
    {"new", "a", "2"},             {"New", "B", "3"},      {"(FR) Paris", "Extra", "2"},
    {"Other", "x", "changed"},     {"NEW", "c", ""},       {"(de) k\xC3\xB6ln", "Z", "z"},
    {"(FR) a]b", "IP", " spaced "}, {"Settings", "Max Windows", "9"},
};

// Pieces of random files: headers, keys, comments and blanks in the
// spellings that the rules treat alike or apart.
const QByteArrayList kLines = {
    "[A]", " [a] ", "[B]", "[(FR) Paris]", "[(fr) PARIS]", "[(DE) K\xC3\x96ln]", "[x]y]", "[", "[]", "k=1", " K = 2 ",
    "k", "IP", "ip=", "Send Video=Yes", "; k=3", ";[A]", "", "  ", "\t", "=v", "m=\r", "\xEF\xBB\xBF[A]",
    "[_LDX List 7 Mar 2024 14:05_]", "ConferenceID",
};
const QByteArrayList kEnds = {"\r\n", "\n", "\r\n", ""};
const QByteArrayList kNames = {"A", "a", "B", "(FR) Paris", "(de) k\xC3\xB6ln", "x]y", "", "New", "new"};
const QByteArrayList kKeys = {"k", "K", "IP", "m", "Other"};
const QByteArrayList kLetters = {"FR", "fr", "DE"};
const QByteArrayList kShortNames = {"Paris", "PARIS", "K\xC3\xB6ln", "New", ""};

QByteArray Pick(QRandomGenerator &random, const QByteArrayList &from)
{
    return from[random.bounded(int(from.size()))];
}

// Of `writes`, those into sections the file holds, as the reference finds
// them: only those go through CProfileFile (the export writes new sections
// itself).
WriteList IntoFileSections(const QByteArray &file, const WriteList &writes)
{
    QByteArrayList held;
    for (const QByteArray &name : ReferenceProfile(file).SectionNames())
        held << FoldCase(name);
    WriteList into;
    for (const ProfileWrite &w : writes)
        if (held.contains(FoldCase(w.section)))
            into << w;
    return into;
}

// The file after `writes` through the calls the export makes, or a note of
// the section it failed to find.
QByteArray WrittenThrough(const QByteArray &file, const WriteList &writes)
{
    CProfileFile profile(file);
    for (const ProfileWrite &w : writes) {
        const int section = profile.FindSection(CFoldedName(w.section));
        if (section < 0)
            return "no section " + w.section;
        profile.Write(section, CProfileFile::Key(w.key), w.value);
    }
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    profile.WriteTo(out);
    return out.data();
}

QByteArray RandomFile(QRandomGenerator &random)
{
    QByteArray file;
    const int lines = int(random.bounded(8));
    for (int i = 0; i < lines; ++i)
        file += Pick(random, kLines) + Pick(random, kEnds);
    return file;
}

} // namespace

class ProfileFileTest : public QObject
{
    Q_OBJECT

    // Existing files that test every rule of a profile write.
    void trickyFiles()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("unrelated sections") << QByteArray("[Settings]\r\nMax Windows=8\r\n\r\n[Flow Control]\r\nMaxCap=28\r\n");
        QTest::newRow("no final line break") << QByteArray("[Settings]\r\nMax Windows=8");
        QTest::newRow("LF only") << QByteArray("[(FR) Paris]\nIP=1.1.1.1\nSend Video=No\n\n[Other]\nx=1\n");
        QTest::newRow("spaced header and names")
            << QByteArray("  [(fr) PARIS] \t\r\n  ip = 9.9.9.9 \r\nSEND VIDEO\r\n; IP=comment\r\n\r\n\r\n[Other]\r\nx=1\r\n");
        QTest::newRow("repeated section") << QByteArray("[(FR) Paris]\r\nIP=1\r\n[Other]\r\n[(FR) PARIS]\r\nIP=2\r\nExtra=0\r\n");
        QTest::newRow("repeated key") << QByteArray("[(FR) Paris]\r\nIP=1\r\nip=2\r\n");
        QTest::newRow("comments and blanks closing a section")
            << QByteArray("[(FR) Paris]\r\n; note\r\nIP=1\r\n; trailing comment\r\n\r\n  \t\r\n[Next]\r\n");
        QTest::newRow("byte order mark") << QByteArray("\xEF\xBB\xBF[(FR) Paris]\r\nIP=1\r\n");
        QTest::newRow("byte order mark alone") << QByteArray("\xEF\xBB\xBF");
        QTest::newRow("lines before the first section") << QByteArray("IP=global\r\n; top\r\n[(FR) Paris]\r\n");
        QTest::newRow("unclosed bracket") << QByteArray("[(FR) Paris\r\nIP=1\r\n");
        QTest::newRow("comment that looks like a section") << QByteArray(";[(FR) Paris]\r\nIP=1\r\n");
        QTest::newRow("ends with a blank line") << QByteArray("[A]\r\nk=v\r\n\r\n");
        QTest::newRow("ends with blanks and no line break") << QByteArray("[A]\r\nk=v\r\n \t ");
        QTest::newRow("mixed line ends")
            << QByteArray("[A]\nk=v\r\n[(FR) Paris]\nIP=1\r\nSend Video=Yes\n[New]\nA=0");
        QTest::newRow("last key without line break") << QByteArray("[(FR) Paris]\r\nIP=1");
        QTest::newRow("last section header without line break") << QByteArray("[Other]\r\nx=1\r\n[(FR) Paris]");
        QTest::newRow("other letters in other case") << QByteArray("[(de) K\xC3\x96LN]\r\nip=1\r\n");
        QTest::newRow("bracket inside a name") << QByteArray("[(FR) a]b]\r\nIP=1\r\n");
        QTest::newRow("comment after a header") << QByteArray("[(FR) Paris] ; mine\r\nIP=1\r\n[x]y\r\n");
        QTest::newRow("lone CR inside a line") << QByteArray("[Other]\r\nx=v\rw\r\n[(FR) Paris]\r\nIP\r=1\r\n");
        QTest::newRow("bytes that are not UTF-8") << QByteArray("[(FR) Caf\xE9]\r\nIP=1\r\n[(fr) CAF\xC9]\r\n");
        QTest::newRow("empty names") << QByteArray("[]\r\n=x\r\n[(FR) Paris]\r\n=\r\nIP=\r\n");
        QTest::newRow("white space only") << QByteArray("\r\n  \r\n\t\n");
        QTest::newRow("marker of the same minute")
            << QByteArray("[_ldx list 7 mar 2024 14:05_]\r\nIP=0.0.0.0\r\n\r\n[(FR) Paris]\r\nIP=1\r\n");
    }

private slots:
    void exportEqualsOneWriteAtATime_data() { trickyFiles(); }
    void exportEqualsOneWriteAtATime()
    {
        QFETCH(QByteArray, file);
        const ReflectorList list = ExportedList();
        QBuffer batch;
        batch.open(QIODevice::WriteOnly);
        QVERIFY(PhonebookExport::Merge(batch, file, list, kStamp, Utf8Client()));
        QCOMPARE(batch.data(), ApplyOneByOne(file, ExportWrites(list, kStamp.date, kStamp.time)));
    }

    void writesEqualOneWriteAtATime_data() { trickyFiles(); }
    void writesEqualOneWriteAtATime()
    {
        QFETCH(QByteArray, file);
        const WriteList writes = IntoFileSections(file, kMixedWrites);
        QCOMPARE(WrittenThrough(file, writes), ApplyOneByOne(file, writes));
    }

    // Files, writes and lists drawn from pieces that each touch a rule,
    // many times over, with a fixed seed: a failure names its round.
    void randomWritesEqualOneWriteAtATime()
    {
        QRandomGenerator random(20240307);
        for (int round = 0; round < 1000; ++round) {
            const QByteArray file = RandomFile(random);
            WriteList writes;
            const int count = 1 + int(random.bounded(6));
            for (int i = 0; i < count; ++i)
                writes << ProfileWrite{Pick(random, kNames), Pick(random, kKeys), QByteArray::number(i)};
            writes = IntoFileSections(file, writes);
            if (WrittenThrough(file, writes) != ApplyOneByOne(file, writes))
                QFAIL(qPrintable(QStringLiteral("round %1: %2").arg(round).arg(QString::fromLatin1(file.toPercentEncoding()))));
        }
    }

    void randomExportsEqualOneWriteAtATime()
    {
        QRandomGenerator random(1996);
        for (int round = 0; round < 1000; ++round) {
            const QByteArray file = RandomFile(random);
            ReflectorList list;
            const int count = int(random.bounded(5));
            for (int i = 0; i < count; ++i) {
                const QByteArray ip = QByteArray::number(i);
                list.push_back(RawRecord("", Pick(random, kLetters).constData(), "", Pick(random, kShortNames).constData(),
                                         ip.constData(), "", "", ip.constData(), i % 2, i % 3, 1, int(random.bounded(3))));
            }
            QBuffer batch;
            batch.open(QIODevice::WriteOnly);
            QVERIFY(PhonebookExport::Merge(batch, file, list, kStamp, Utf8Client()));
            if (batch.data() != ApplyOneByOne(file, ExportWrites(list, kStamp.date, kStamp.time)))
                QFAIL(qPrintable(QStringLiteral("round %1: %2").arg(round).arg(QString::fromLatin1(file.toPercentEncoding()))));
        }
    }

    void untouchedFileStaysByteForByte_data() { trickyFiles(); }
    void untouchedFileStaysByteForByte()
    {
        QFETCH(QByteArray, file);
        QCOMPARE(WrittenThrough(file, {}), file);
    }

    // The rules themselves, against files worked out by hand.
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
    }
    void writeRules()
    {
        QFETCH(QByteArray, file);
        QFETCH(QByteArray, section);
        QFETCH(QByteArray, key);
        QFETCH(QByteArray, expected);
        QCOMPARE(WrittenThrough(file, {{section, key, "v"}}), expected);
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
        QTest::newRow("no second blank line") << QByteArray("[A]\r\n\r\n") << QByteArray();
        QTest::newRow("byte order mark alone, as an empty file") << QByteArray("\xEF\xBB\xBF") << QByteArray();
    }
    void newSectionsFollowTheFile()
    {
        QFETCH(QByteArray, file);
        QFETCH(QByteArray, separator);
        QBuffer out;
        out.open(QIODevice::WriteOnly);
        QVERIFY(PhonebookExport::Merge(out, file, {}, kStamp, Utf8Client()));
        QCOMPARE(out.data(), file + separator
                                 + "[_LDX List 7 Mar 2024 14:05_]\r\nIP=0.0.0.0\r\nSend Video=No\r\n"
                                   "Receive Video=No\r\nAdd To Menu=Yes\r\nConferenceID=0\r\n");
    }

    // Neither a section of the file nor a new one can gain lines.
    void lineBreaksInNamesAndValuesBecomeSpaces()
    {
        ReflectorList list;
        list.push_back(RawRecord("", "FR", "", "S\r\n[T]", "1\r\n[Evil]\nX=1\r", "", "", "0", 0, 0, 0, 1));
        for (const QByteArray &file : {QByteArray(), QByteArray("[(FR) S  [T]]\r\nIP=0\r\n")}) {
            QBuffer out;
            out.open(QIODevice::WriteOnly);
            QVERIFY(PhonebookExport::Merge(out, file, list, kStamp, Utf8Client()));
            QVERIFY2(out.data().contains("[(FR) S  [T]]\r\nIP=1  [Evil] X=1 \r\n"), out.data().constData());
        }
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

LODEX_TEST(ProfileFileTest)
#include "tst_profilefile.moc"

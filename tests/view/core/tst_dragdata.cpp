#include "support/fakes.h"
#include "support/testmain.h"
#include "support/testutil.h"
#include "view/core/connectionfile.h"
#include "view/core/connectionfilenames.h"
#include "view/core/reflectortext.h"
#include "view/core/selectedrecords.h"

#include <QTest>

namespace {

const QByteArray kSettings = "\n[Settings]\nMax Windows=8\n\n[Flow Control]\nMaxCap=28\nMinCap=10\nUseFlowControl=Yes\n\n"
                             "[Connect Options]\nIWillSendVideo=Yes\nIWillRecvVideo=Yes\nIWillSendAudio=Yes\nIWillRecvAudio=Yes\n";

} // namespace

// The texts and files that Copy and drag-out hand to other programs.
class DragDataTest : public QObject
{
    Q_OBJECT

private slots:
    void textOfOneReflector()
    {
        const auto r = RawRecord("Canada", "CA", "Big Lab", "BL", "10.0.0.1", "Ann", "ann@example.org", "12", 1, 1, 1, 1);
        QCOMPARE(ReflectorText({r.get()}),
                 QByteArray("Country: Canada\nLetters: CA\nFull name: Big Lab\nShort name: BL\nIP address: 10.0.0.1\n"
                            "Contact name: Ann\nContact email: ann@example.org\nConference ID: 12\nAdd to menu: Yes\n"
                            "Send video: Yes\nReceive video: Yes\nIs running: Yes\n\n"));
    }

    void textOfSeveralReflectors()
    {
        // Flags other than 0 and 1 read "Yes"; values are copied as stored,
        // spaces and all; nothing is cut however long.
        const QByteArray longName(3000, 'n');
        ReflectorList list;
        list.push_back(RawRecord("", "", " a ", "", "1.1.1.1", "", "", "", 0, 2, 0, -1));
        list.push_back(RawRecord("X\xC3\xA9", "??", longName.constData(), "s", "2.2.2.2", "c", "e", "999", 0, 0, 0, 0));
        QCOMPARE(ReflectorText(RecordPointers(list)),
                 QByteArray("Country: \nLetters: \nFull name:  a \nShort name: \nIP address: 1.1.1.1\nContact name: \n"
                            "Contact email: \nConference ID: \nAdd to menu: No\nSend video: Yes\nReceive video: No\n"
                            "Is running: Yes\n\n"
                            "Country: X\xC3\xA9\nLetters: ??\nFull name: " + longName + "\nShort name: s\n"
                            "IP address: 2.2.2.2\nContact name: c\nContact email: e\nConference ID: 999\n"
                            "Add to menu: No\nSend video: No\nReceive video: No\nIs running: No\n\n"));
        QCOMPARE(ReflectorText({}), QByteArray());
    }

    void selectedRecordsTopToBottom_data()
    {
        QTest::addColumn<QList<int>>("selected");
        QTest::addColumn<int>("nullRow");
        QTest::addColumn<QList<int>>("expected");
        QTest::newRow("none") << QList<int>{} << -1 << QList<int>{};
        QTest::newRow("list order") << QList<int>{3, 0, 2} << -1 << QList<int>{0, 2, 3};
        QTest::newRow("row without record ends") << QList<int>{0, 2, 3} << 2 << QList<int>{0};
        QTest::newRow("unselected null row ignored") << QList<int>{0, 3} << 2 << QList<int>{0, 3};
    }
    void selectedRecordsTopToBottom()
    {
        QFETCH(QList<int>, selected);
        QFETCH(int, nullRow);
        QFETCH(QList<int>, expected);
        const ReflectorList list = SampleList(4);
        FakeView view;
        view.SetRows(list);
        if (nullRow >= 0)
            view.rows[std::size_t(nullRow)] = nullptr;
        view.selected.insert(selected.begin(), selected.end());
        QVERIFY(SelectedRecords(view) == RecordPointers(list, expected));
    }

    void connectionFile_data()
    {
        QTest::addColumn<QByteArray>("ip");
        QTest::addColumn<QByteArray>("id");
        QTest::addColumn<QByteArray>("text"); // before the zero bytes
        QTest::newRow("typical") << QByteArray("10.0.0.1") << QByteArray("12")
                                 << QByteArray("10.0.0.1\r\n12" + kSettings);
        QTest::newRow("empty fields") << QByteArray() << QByteArray() << QByteArray("\r\n" + kSettings);
        QTest::newRow("dialog limits") << QByteArray("255.255.255.255") << QByteArray("999")
                                       << QByteArray("255.255.255.255\r\n999" + kSettings);
        // 214 bytes of text fit with their zero byte; longer texts are cut there.
        const QByteArray ip36(36, '1');
        QTest::newRow("exactly 214") << ip36 << QByteArray() << QByteArray(ip36 + "\r\n" + kSettings);
        QTest::newRow("215 cut") << QByteArray(37, '1') << QByteArray() << QByteArray(QByteArray(37, '1') + "\r\n" + kSettings).left(214);
        QTest::newRow("huge cut") << QByteArray(1000, '1') << QByteArray("7") << QByteArray(214, '1');
        // Texts from files made elsewhere must not add lines or sections that the client reads.
        QTest::newRow("line breaks") << QByteArray("10.0.0.1\r\n[Connect Options]") << QByteArray("1\n2")
                                     << QByteArray("10.0.0.1  [Connect Options]\r\n1 2" + kSettings);
    }
    void connectionFile()
    {
        QFETCH(QByteArray, ip);
        QFETCH(QByteArray, id);
        QFETCH(QByteArray, text);
        const auto r = RawRecord("France", "FR", "Lab", "L", ip.constData(), "", "", id.constData(), 0, 0, 0, 0);
        const QByteArray file = ConnectionFile(*r);
        QCOMPARE(file.size(), 215);
        QCOMPARE(file.left(text.size()), text);
        QCOMPARE(file.mid(text.size()), QByteArray(215 - text.size(), '\0'));
    }

    void fileNames_data()
    {
        QTest::addColumn<QList<QByteArray>>("fullNames");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("plain") << QList<QByteArray>{"Test"} << QStringList{"Test.cu"};
        QTest::newRow("slashes") << QList<QByteArray>{"../../etc/passwd", "a/b"} << QStringList{"___.._etc_passwd.cu", "a_b.cu"};
        QTest::newRow("dot") << QList<QByteArray>{"."} << QStringList{"_.cu"};
        QTest::newRow("dot dot") << QList<QByteArray>{".."} << QStringList{"__.cu"};
        QTest::newRow("hidden") << QList<QByteArray>{".profile"} << QStringList{"_profile.cu"};
        QTest::newRow("empty") << QList<QByteArray>{"", "  "} << QStringList{"Reflector.cu", "Reflector (2).cu"};
        QTest::newRow("control and reserved") << QList<QByteArray>{"a\tb\x7F" "c:d*e?f\"g<h>i|j\\k"}
                                              << QStringList{"a_b_c_d_e_f_g_h_i_j_k.cu"};
        QTest::newRow("trimmed") << QList<QByteArray>{"  Lab  "} << QStringList{"Lab.cu"};
        // With U+202E kept, "Lab<U+202E>fdp.cu" shows as "Labuc.pdf".
        QTest::newRow("bidi override dropped") << QList<QByteArray>{"Lab\xE2\x80\xAE" "fdp"} << QStringList{"Labfdp.cu"};
        QTest::newRow("C1 controls dropped") << QList<QByteArray>{"a\xC2\x9B" "b\xC2\x85" "c"} << QStringList{"abc.cu"};
        // BOM, zero-width space, isolate, embedding, pop, soft hyphen, and a tag beyond U+FFFF.
        QTest::newRow("format characters dropped")
            << QList<QByteArray>{"\xEF\xBB\xBF" "L\xE2\x80\x8B" "a\xE2\x81\xA6\xE2\x80\xAA" "b\xE2\x81\xA9\xC2\xAD\xF3\xA0\x80\x81"}
            << QStringList{"Lab.cu"};
        QTest::newRow("hidden or empty once dropped") << QList<QByteArray>{"\xE2\x80\x8B.profile", "\xE2\x81\xA0 "}
                                                      << QStringList{"_profile.cu", "Reflector.cu"};
        QTest::newRow("inner dots kept") << QList<QByteArray>{"lab.example.org"} << QStringList{"lab.example.org.cu"};
        QTest::newRow("non-ASCII kept") << QList<QByteArray>{"\xC3\x89t\xC3\xA9"} << QStringList{QString::fromUtf8("\xC3\x89t\xC3\xA9.cu")};
        QTest::newRow("same names") << QList<QByteArray>{"Lab", "Lab", "lab"} << QStringList{"Lab.cu", "Lab (2).cu", "lab (3).cu"};
        QTest::newRow("numbered name taken") << QList<QByteArray>{"Lab (2)", "Lab", "Lab"}
                                             << QStringList{"Lab (2).cu", "Lab.cu", "Lab (3).cu"};
        QTest::newRow("empty against default") << QList<QByteArray>{"Reflector", ""} << QStringList{"Reflector.cu", "Reflector (2).cu"};
    }
    void fileNames()
    {
        QFETCH(QList<QByteArray>, fullNames);
        QFETCH(QStringList, names);
        ReflectorList list;
        for (const QByteArray &name : fullNames)
            list.push_back(RawRecord("", "", name.constData(), "", ""));
        QCOMPARE(ConnectionFileNames(RecordPointers(list)), names);
    }

    void longFileNamesFit_data()
    {
        QTest::addColumn<QByteArray>("unit");
        QTest::newRow("ASCII") << QByteArray("a");
        QTest::newRow("two bytes") << QByteArray("\xC3\xA9");
        QTest::newRow("three bytes") << QByteArray("\xE2\x82\xAC");
        QTest::newRow("four bytes") << QByteArray("\xF0\x9F\x98\x80");
    }
    void longFileNamesFit()
    {
        QFETCH(QByteArray, unit);
        ReflectorList list;
        for (int i = 0; i < 2; ++i)
            list.push_back(RawRecord("", "", unit.repeated(400).constData(), "", ""));
        const QStringList names = ConnectionFileNames(RecordPointers(list));
        for (const QString &name : names) {
            const QByteArray utf8 = name.toUtf8();
            QVERIFY2(utf8.size() <= kMaxConnectionFileNameBytes, utf8.constData());
            QVERIFY(utf8.size() > kMaxConnectionFileNameBytes - 24);
            QVERIFY(name.endsWith(QLatin1String(".cu")));
            QVERIFY(!name.contains(QChar::ReplacementCharacter)); // no character split
        }
        QVERIFY(names[0] != names[1]);
        QVERIFY(names[1].endsWith(QLatin1String(" (2).cu")));
    }
};

LODEX_TEST(DragDataTest)
#include "tst_dragdata.moc"

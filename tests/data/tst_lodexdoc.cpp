#include "data/ldxfile.h"
#include "data/lodexdoc.h"
#include "support/fakes.h"
#include "support/testmain.h"
#include "support/testutil.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArrayList FullNames(const ReflectorList &list)
{
    QByteArrayList names;
    for (const auto &r : list)
        names << r->m_strFullName.toByteArray();
    return names;
}

QByteArrayList RowNames(const FakeView &view)
{
    QByteArrayList names;
    for (const CReflector *r : view.rows)
        names << r->m_strFullName.toByteArray();
    return names;
}

} // namespace

class LodexDocTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    FakeView m_view;
    FakePrompts m_prompts;
    std::unique_ptr<CLodexDoc> m_doc;

    QString SavedSample(const char *name, int count)
    {
        const QString path = m_dir.filePath(QString::fromLatin1(name));
        LdxFile::Save(path, SampleList(count), nullptr);
        return path;
    }

private slots:
    void init()
    {
        m_view = FakeView();
        m_prompts = FakePrompts();
        m_doc = std::make_unique<CLodexDoc>();
        m_doc->m_pView = &m_view;
        m_doc->m_pPrompts = &m_prompts;
        m_doc->OnNewDocument();
    }

    void newDocumentIsEmptyAndUntitled()
    {
        QCOMPARE(m_doc->GetTitle(), QStringLiteral("Reflector"));
        QVERIFY(m_doc->GetPathName().isEmpty());
        QVERIFY(!m_doc->IsModified());
        QVERIFY(m_view.rows.empty());
    }

    void openShowsRecordsInFileOrder()
    {
        const QString path = SavedSample("five.ldx", 5);
        QCOMPARE(m_doc->OnOpenDocument(path), OpenResult::Opened);
        QVERIFY(!m_doc->IsModified());
        QCOMPARE(RowNames(m_view), FullNames(m_doc->m_listReflectors));
        QCOMPARE(m_view.rows.size(), size_t(5));
    }

    void openEmptyFilesClearsModified_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("0 bytes") << QByteArray();
        QTest::newRow("00 00") << Hex("0000");
    }
    void openEmptyFilesClearsModified()
    {
        QFETCH(QByteArray, bytes);
        const QString path = m_dir.filePath(QStringLiteral("empty.ldx"));
        QVERIFY(WriteAll(path, bytes));
        m_doc->SetModifiedFlag(true);
        QCOMPARE(m_doc->OnOpenDocument(path), OpenResult::Opened);
        QVERIFY(!m_doc->IsModified());
        QVERIFY(m_doc->m_listReflectors.empty());
    }

    void unopenableFileKeepsContents()
    {
        QCOMPARE(m_doc->OnOpenDocument(SavedSample("three.ldx", 3)), OpenResult::Opened);
        m_doc->SetModifiedFlag(true);
        QString error;
        QCOMPARE(m_doc->OnOpenDocument(m_dir.filePath(QStringLiteral("missing.ldx")), &error),
                 OpenResult::NotOpenable);
        QVERIFY(!error.isEmpty());
        QCOMPARE(m_doc->m_listReflectors.size(), size_t(3));
        QCOMPARE(m_view.rows.size(), size_t(3));
        QVERIFY(m_doc->IsModified());
    }

    void malformedFileLeavesNothing()
    {
        QCOMPARE(m_doc->OnOpenDocument(SavedSample("three.ldx", 3)), OpenResult::Opened);
        QByteArray bytes = ReadAll(SavedSample("cut.ldx", 3));
        bytes.chop(5);
        const QString cut = m_dir.filePath(QStringLiteral("cut.ldx"));
        QVERIFY(WriteAll(cut, bytes));
        QCOMPARE(m_doc->OnOpenDocument(cut), OpenResult::Malformed);
        QVERIFY(m_doc->m_listReflectors.empty());
        QVERIFY(m_view.rows.empty()); // no row may point to a freed record
        QVERIFY(m_doc->IsModified());
    }

    void findByAddressAnswersTheFirst()
    {
        m_doc->m_listReflectors.push_back(RawRecord("", "", "A", "", "10.0.0.1"));
        m_doc->m_listReflectors.push_back(RawRecord("", "", "B", "", "10.0.0.2"));
        m_doc->m_listReflectors.push_back(RawRecord("", "", "C", "", "10.0.0.1"));
        auto probe = RawRecord("", "", "", "", "10.0.0.1");
        QCOMPARE(m_doc->FindByAddress(*probe), m_doc->m_listReflectors[0].get());
        probe->m_strIPAddress = "10.0.0.1 ";
        QCOMPARE(m_doc->FindByAddress(*probe), nullptr);
    }

    void removeReflector()
    {
        m_doc->m_listReflectors = SampleList(3);
        CReflector *second = m_doc->m_listReflectors[1].get();
        CReflector stranger;
        m_doc->RemoveReflector(&stranger);
        QCOMPARE(m_doc->m_listReflectors.size(), size_t(3));
        m_doc->RemoveReflector(second);
        QCOMPARE(FullNames(m_doc->m_listReflectors), QByteArrayList({"Reflector 1", "Reflector 3"}));
    }

    void deleteFlow_data()
    {
        QTest::addColumn<QList<int>>("selected");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QByteArrayList>("remaining");
        QTest::addColumn<int>("questions");
        const QByteArrayList all{"Reflector 1", "Reflector 2", "Reflector 3", "Reflector 4", "Reflector 5"};
        QTest::newRow("none selected asks nothing") << QList<int>{} << int(CUserPrompts::IdYes) << all << 0;
        QTest::newRow("rows 2 and 4, yes") << QList<int>{1, 3} << int(CUserPrompts::IdYes)
                                           << QByteArrayList{"Reflector 1", "Reflector 3", "Reflector 5"} << 1;
        QTest::newRow("rows 2 and 4, no") << QList<int>{1, 3} << int(CUserPrompts::IdNo) << all << 1;
        QTest::newRow("all rows") << QList<int>{0, 1, 2, 3, 4} << int(CUserPrompts::IdYes) << QByteArrayList{} << 1;
    }
    void deleteFlow()
    {
        QFETCH(QList<int>, selected);
        QFETCH(int, answer);
        QFETCH(QByteArrayList, remaining);
        QFETCH(int, questions);
        m_doc->m_listReflectors = SampleList(5);
        m_doc->RefreshView();
        // A sorted view: rows in reverse order of the list.
        std::reverse(m_view.rows.begin(), m_view.rows.end());
        for (int row : selected)
            m_view.selected.insert(4 - row);
        m_prompts.answers << CUserPrompts::Answer(answer);
        const bool changes = remaining.size() != 5;

        m_doc->OnReflectorDelete();

        QCOMPARE(m_prompts.messages.size(), questions);
        if (questions)
            QCOMPARE(m_prompts.messages[0],
                     QStringLiteral("Do you really want to permanently remove the selected reflector(s) ?"));
        QCOMPARE(FullNames(m_doc->m_listReflectors), remaining);
        QCOMPARE(m_doc->IsModified(), changes);
        if (changes) // refilled in list order
            QCOMPARE(RowNames(m_view), remaining);
    }

    void updateSelectedFollowsSelection()
    {
        m_doc->m_listReflectors = SampleList(2);
        m_doc->RefreshView();
        QVERIFY(!m_doc->OnUpdateReflectorSelected());
        m_view.selected.insert(1);
        QVERIFY(m_doc->OnUpdateReflectorSelected());
    }

    void saveClearsModifiedAndKeepsItOnFailure()
    {
        m_doc->m_listReflectors = SampleList(2);
        m_doc->SetModifiedFlag(true);
        QString error;
        QCOMPARE(m_doc->OnSaveDocument(m_dir.filePath(QStringLiteral("no/such/dir/x.ldx")), &error),
                 CSafeSave::Result::Failed);
        QVERIFY(m_doc->IsModified());
        QCOMPARE(m_doc->OnSaveDocument(m_dir.filePath(QStringLiteral("saved.ldx")), &error), CSafeSave::Result::Saved);
        QVERIFY(!m_doc->IsModified());
    }

    void signalsFollowState()
    {
        QSignalSpy modified(m_doc.get(), &CLodexDoc::modifiedChanged);
        QSignalSpy title(m_doc.get(), &CLodexDoc::titleChanged);
        m_doc->SetModifiedFlag(true);
        m_doc->SetModifiedFlag(true);
        m_doc->SetPathName(QStringLiteral("/tmp/list.ldx"));
        QCOMPARE(modified.size(), 1);
        QCOMPARE(title.size(), 1);
        QCOMPARE(m_doc->GetTitle(), QStringLiteral("list.ldx"));
    }
};

LODEX_TEST(LodexDocTest)
#include "tst_lodexdoc.moc"

#include "data/lodexdoc.h"
#include "support/fakes.h"
#include "support/testmain.h"
#include "support/testutil.h"

#include <QTest>

#include <algorithm>

namespace {

const QString kExplanation =
    QStringLiteral("You can also choose to leave the original entry unchanged by pressing the Cancel button.");

// Notes every row change, and whether the document was already marked
// modified when it happened.
class RecordingView : public FakeView
{
public:
    const CLodexDoc *doc = nullptr;
    QList<int> updatedRows;
    QList<int> insertedRows;
    bool touchedBeforeModified = false;

    int InsertReflectorItem(int index, CReflector *record) override
    {
        Note();
        const int row = FakeView::InsertReflectorItem(index, record);
        insertedRows << row;
        return row;
    }
    void UpdateRow(int row) override
    {
        Note();
        updatedRows << row;
        FakeView::UpdateRow(row);
    }

private:
    void Note() { touchedBeforeModified = touchedBeforeModified || !doc->IsModified(); }
};

QByteArrayList Names(const ReflectorList &list)
{
    QByteArrayList names;
    for (const auto &r : list)
        names << r->m_strFullName.toByteArray();
    return names;
}

QByteArray Address(int n)
{
    return "192.0.2." + QByteArray::number(n);
}

} // namespace

class AddEditTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<RecordingView> m_view;
    FakePrompts m_prompts;
    std::unique_ptr<CLodexDoc> m_doc;
    QByteArrayList m_conflictsWith; // existing entry's full name, per conflict dialog

    // Three records, 192.0.2.1 to .3, shown in a view sorted in reverse.
    void StartWithThree()
    {
        m_doc->m_listReflectors = SampleList(3);
        m_doc->RefreshView();
        std::reverse(m_view->rows.begin(), m_view->rows.end());
    }
    CReflector &Record(int i) { return *m_doc->m_listReflectors[size_t(i)]; }

    // The conflict dialog answers with the candidate's values, the full
    // name "  Merged  " and the next address of `addresses`; an empty
    // address cancels.
    void AnswerConflicts(QByteArrayList addresses)
    {
        m_prompts.conflictDialog = [this, addresses](const CReflector &existing, const CReflector &candidate,
                                                     const QString &explanation, ReflectorValues &result) mutable {
            m_conflictsWith << existing.m_strFullName.toByteArray();
            if (explanation != kExplanation || addresses.isEmpty())
                return false;
            const QByteArray address = addresses.takeFirst();
            if (address.isEmpty())
                return false;
            result = ReflectorValues::FromRecord(candidate);
            result.text[CReflector::ColFullName] = "  Merged  ";
            result.text[CReflector::ColIPAddress] = address;
            return true;
        };
    }
    // The reflector dialog answers OK after `edit` changed the values.
    void AnswerReflectorDialog(std::function<void(ReflectorValues &)> edit)
    {
        m_prompts.reflectorDialog = [edit](ReflectorValues &values, bool) {
            edit(values);
            return true;
        };
    }

private slots:
    void init()
    {
        m_view = std::make_unique<RecordingView>();
        m_prompts = FakePrompts();
        m_conflictsWith.clear();
        m_doc = std::make_unique<CLodexDoc>();
        m_view->doc = m_doc.get();
        m_doc->m_pView = m_view.get();
        m_doc->m_pPrompts = &m_prompts;
        m_doc->OnNewDocument();
    }
    void cleanup()
    {
        QVERIFY(!m_view->touchedBeforeModified);
        m_doc.reset();
    }

    void addPresetsTheDialog()
    {
        ReflectorValues seen;
        bool seenEditMode = true;
        m_prompts.reflectorDialog = [&](ReflectorValues &values, bool editMode) {
            seen = values;
            seenEditMode = editMode;
            return false;
        };
        m_doc->OnReflectorAdd();
        QVERIFY(!seenEditMode);
        QCOMPARE(Fields(seen), QByteArrayList({"", "??", "", "", "", "", "", "0", "1", "1", "1", "1"}));
    }

    void addNewAddressAppendsAtTheBottom()
    {
        StartWithThree();
        AnswerReflectorDialog([](ReflectorValues &v) {
            v.text[CReflector::ColFullName] = "  New one ";
            v.text[CReflector::ColIPAddress] = "192.0.2.9";
        });
        m_doc->OnReflectorAdd();
        QCOMPARE(Names(m_doc->m_listReflectors),
                 QByteArrayList({"Reflector 1", "Reflector 2", "Reflector 3", "New one"}));
        QCOMPARE(m_view->rows.back(), m_doc->m_listReflectors.back().get());
        QCOMPARE(m_view->insertedRows, QList<int>{3});
        QVERIFY(m_doc->IsModified());
        QCOMPARE(m_prompts.conflictDialogs, 0);
    }

    void cancelChangesNothing_data()
    {
        QTest::addColumn<bool>("edit");
        QTest::addColumn<bool>("modifiedBefore");
        QTest::newRow("add, unmodified") << false << false;
        QTest::newRow("add, modified") << false << true;
        QTest::newRow("edit, unmodified") << true << false;
        QTest::newRow("edit, modified") << true << true;
    }
    void cancelChangesNothing()
    {
        QFETCH(bool, edit);
        QFETCH(bool, modifiedBefore);
        StartWithThree();
        m_view->selected.insert(0);
        m_doc->SetModifiedFlag(modifiedBefore);
        const QByteArrayList before = Fields(Record(2));
        edit ? m_doc->OnReflectorEdit() : m_doc->OnReflectorAdd();
        QCOMPARE(m_prompts.reflectorDialogs, 1);
        QCOMPARE(m_doc->m_listReflectors.size(), size_t(3));
        QCOMPARE(Fields(Record(2)), before);
        QCOMPARE(m_doc->IsModified(), modifiedBefore);
        QVERIFY(m_view->updatedRows.isEmpty() && m_view->insertedRows.isEmpty());
    }

    void addOrMerge_data()
    {
        QTest::addColumn<QByteArray>("address");
        QTest::addColumn<QByteArrayList>("answers");
        QTest::addColumn<int>("result");
        QTest::addColumn<QByteArrayList>("names");
        QTest::addColumn<QByteArrayList>("conflictsWith");
        const QByteArrayList three{"Reflector 1", "Reflector 2", "Reflector 3"};
        using R = CLodexDoc::MergeResult;
        QTest::newRow("free address") << Address(9) << QByteArrayList{} << int(R::Added)
                                      << three + QByteArrayList{"New"} << QByteArrayList{};
        QTest::newRow("taken, address kept: update, trimmed")
            << Address(2) << QByteArrayList{Address(2)} << int(R::Updated)
            << QByteArrayList{"Reflector 1", "Merged", "Reflector 3"} << QByteArrayList{"Reflector 2"};
        QTest::newRow("taken, moved to a free address: added untrimmed")
            << Address(2) << QByteArrayList{Address(9)} << int(R::Added) << three + QByteArrayList{"  Merged  "}
            << QByteArrayList{"Reflector 2"};
        QTest::newRow("taken, moved to a third record's address, kept")
            << Address(2) << QByteArrayList{Address(3), Address(3)} << int(R::Updated)
            << QByteArrayList{"Reflector 1", "Reflector 2", "Merged"}
            << QByteArrayList{"Reflector 2", "Reflector 3"};
        QTest::newRow("taken, moved to a third, then to a free address")
            << Address(2) << QByteArrayList{Address(3), Address(9)} << int(R::Added)
            << three + QByteArrayList{"  Merged  "} << QByteArrayList{"Reflector 2", "Reflector 3"};
        QTest::newRow("taken, moved back to the first match")
            << Address(2) << QByteArrayList{Address(3), Address(2), Address(2)} << int(R::Updated)
            << QByteArrayList{"Reflector 1", "Merged", "Reflector 3"}
            << QByteArrayList{"Reflector 2", "Reflector 3", "Reflector 2"};
        QTest::newRow("cancelled") << Address(2) << QByteArrayList{""} << int(R::LeftAlone) << three
                                   << QByteArrayList{"Reflector 2"};
        QTest::newRow("cancelled in the second round")
            << Address(2) << QByteArrayList{Address(3), ""} << int(R::LeftAlone) << three
            << QByteArrayList{"Reflector 2", "Reflector 3"};
    }
    void addOrMerge()
    {
        QFETCH(QByteArray, address);
        QFETCH(QByteArrayList, answers);
        QFETCH(int, result);
        QFETCH(QByteArrayList, names);
        QFETCH(QByteArrayList, conflictsWith);
        StartWithThree();
        AnswerConflicts(answers);

        const auto outcome = m_doc->AddOrMerge(RawRecord("Italy", "IT", "New", "N", address.constData()));

        QCOMPARE(int(outcome), result);
        QCOMPARE(m_conflictsWith, conflictsWith);
        QCOMPARE(Names(m_doc->m_listReflectors), names);
        QCOMPARE(m_doc->IsModified(), outcome != CLodexDoc::MergeResult::LeftAlone);
        switch (outcome) {
        case CLodexDoc::MergeResult::Added:
            QCOMPARE(m_view->rows.back(), m_doc->m_listReflectors.back().get());
            QCOMPARE(m_view->insertedRows, QList<int>{3});
            for (int row : m_view->updatedRows) // only the new row's texts are written
                QCOMPARE(row, 3);
            break;
        case CLodexDoc::MergeResult::Updated: {
            // The row showing the updated record, wherever the sort put it.
            const auto isMerged = [](const auto &r) { return r->m_strFullName == std::string_view("Merged"); };
            const auto updated =
                std::find_if(m_doc->m_listReflectors.begin(), m_doc->m_listReflectors.end(), isMerged);
            QCOMPARE(m_view->updatedRows, QList<int>{m_view->FindRow(updated->get())});
            QCOMPARE((*updated)->m_strCountry.toByteArray(), QByteArray("Italy"));
            QVERIFY(m_view->insertedRows.isEmpty());
            break;
        }
        case CLodexDoc::MergeResult::LeftAlone:
            QVERIFY(m_view->updatedRows.isEmpty() && m_view->insertedRows.isEmpty());
            break;
        }
        QCOMPARE(m_view->rows.size(), m_doc->m_listReflectors.size());
    }

    void sharedAddressConflictsWithTheFirst()
    {
        StartWithThree();
        Record(2).m_strIPAddress = Address(1);
        AnswerConflicts({""});
        m_doc->AddOrMerge(RawRecord("", "", "New", "N", Address(1).constData()));
        QCOMPARE(m_conflictsWith, QByteArrayList{"Reflector 1"});
    }

    void editKeepingTheAddressRewritesTheRowInPlace()
    {
        StartWithThree();
        // Rows are sorted in reverse: row 2 shows the first record.
        m_view->selected.insert(2);
        AnswerReflectorDialog([](ReflectorValues &v) { v.text[CReflector::ColContact] = " Ann "; });
        m_doc->OnReflectorEdit();
        QCOMPARE(Record(0).m_strContact.toByteArray(), QByteArray("Ann"));
        QCOMPARE(m_view->updatedRows, QList<int>{2});
        QCOMPARE(m_view->rows[2], &Record(0));
        QCOMPARE(m_doc->m_listReflectors.size(), size_t(3));
        QVERIFY(m_doc->IsModified());
        QCOMPARE(m_prompts.conflictDialogs, 0);
    }

    void editOpensTheLowestSelectedRow()
    {
        StartWithThree();
        m_view->selected = {0, 1, 2};
        QByteArrayList seen;
        m_prompts.reflectorDialog = [&](ReflectorValues &values, bool editMode) {
            seen = Fields(values);
            return !editMode; // must be in edit mode
        };
        m_doc->OnReflectorEdit();
        QCOMPARE(seen, Fields(Record(2)));
        QVERIFY(!m_doc->IsModified());
    }

    void editWithoutSelectionShowsNothing()
    {
        StartWithThree();
        m_doc->OnReflectorEdit();
        QCOMPARE(m_prompts.reflectorDialogs, 0);
    }

    void editToAFreeAddressAddsANewRecord()
    {
        StartWithThree();
        m_view->selected.insert(0);
        AnswerReflectorDialog([](ReflectorValues &v) {
            v.text[CReflector::ColIPAddress] = "192.0.2.9";
            v.text[CReflector::ColFullName] = "Moved";
        });
        const QByteArrayList before = Fields(Record(2));
        m_doc->OnReflectorEdit();
        QCOMPARE(Fields(Record(2)), before);
        QCOMPARE(Names(m_doc->m_listReflectors),
                 QByteArrayList({"Reflector 1", "Reflector 2", "Reflector 3", "Moved"}));
        QCOMPARE(m_view->rows.back(), &Record(3));
        QCOMPARE(m_view->insertedRows, QList<int>{3});
        for (int row : m_view->updatedRows) // the edited row stays as it was
            QCOMPARE(row, 3);
        QVERIFY(m_doc->IsModified());
    }

    void editToATakenAddressMergesWithItsHolder()
    {
        StartWithThree();
        m_view->selected.insert(0); // the third record
        AnswerReflectorDialog([](ReflectorValues &v) { v.text[CReflector::ColIPAddress] = Address(1); });
        AnswerConflicts({Address(1)});
        m_doc->OnReflectorEdit();
        QCOMPARE(m_conflictsWith, QByteArrayList{"Reflector 1"});
        QCOMPARE(Names(m_doc->m_listReflectors), QByteArrayList({"Merged", "Reflector 2", "Reflector 3"}));
        QCOMPARE(Record(2).m_strIPAddress.toByteArray(), Address(3));
    }

    void untouchedBytesSurviveAnEdit()
    {
        StartWithThree();
        Record(0).m_strContact = "Jos\xE9";
        Record(0).m_strEmail = "\xFF\xFE@x";
        m_view->selected.insert(2);
        AnswerReflectorDialog([](ReflectorValues &v) { v.text[CReflector::ColFullName] = "Renamed"; });
        m_doc->OnReflectorEdit();
        QCOMPARE(Record(0).m_strFullName.toByteArray(), QByteArray("Renamed"));
        QCOMPARE(Record(0).m_strContact.toByteArray(), QByteArray("Jos\xE9"));
        QCOMPARE(Record(0).m_strEmail.toByteArray(), QByteArray("\xFF\xFE@x"));
    }
};

LODEX_TEST(AddEditTest)
#include "tst_addedit.moc"

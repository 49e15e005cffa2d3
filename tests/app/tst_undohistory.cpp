// Undo and Redo over whatever the commands did, and the modified flag.
#include "app/undohistory.h"
#include "data/lodexdoc.h"
#include "exchange/datetimestamp.h"
#include "exchange/semicolonlist.h"
#include "resources/strings.h"
#include "support/fakes.h"
#include "support/testmain.h"
#include "support/testutil.h"
#include "view/core/reflectortext.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>

namespace {

QList<QByteArrayList> AllFields(const ReflectorList &list)
{
    QList<QByteArrayList> all;
    for (const auto &record : list)
        all << Fields(*record);
    return all;
}

} // namespace

class UndoHistoryTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QRandomGenerator m_random;
    FakeDocument m_fake;
    FakeView &m_view = m_fake.view;
    FakePrompts &m_prompts = m_fake.prompts;

    int Pick(int bound) { return int(m_random.bounded(bound)); }
    // Few addresses, so that commands often meet one already taken.
    QByteArray Address() { return "192.0.2." + QByteArray::number(Pick(8)); }
    std::unique_ptr<CReflector> NewRecord()
    {
        const QByteArray name = "N" + QByteArray::number(Pick(1000));
        return RawRecord("France", "FR", name.constData(), name.constData(), Address().constData(), "", "", "0",
                         Pick(2), 1, 1, Pick(2));
    }
    void SelectSome(const CLodexDoc &doc)
    {
        m_view.selected.clear();
        for (std::size_t row = 0; row < doc.m_listReflectors.size(); ++row)
            if (Pick(3) == 0)
                m_view.selected.insert(int(row));
    }

    // One command, chosen at random, answered at random.
    void RunCommand(CLodexDoc &doc)
    {
        m_prompts.conflictDialog = [this](const CReflector &, const CReflector &candidate, const QString &,
                                          ReflectorValues &result) {
            result = ReflectorValues::FromRecord(candidate);
            result.text[CReflector::ColContact] = "merged";
            if (Pick(2))
                result.text[CReflector::ColIPAddress] = Address();
            return Pick(4) != 0;
        };
        m_prompts.reflectorDialog = [this](ReflectorValues &values, bool) {
            values = ReflectorValues::FromRecord(*NewRecord());
            return true;
        };
        ReflectorList some;
        for (int i = Pick(3); i >= 0; --i)
            some.push_back(NewRecord());
        m_prompts.choices = {Pick(3)};
        m_prompts.answers = {CUserPrompts::IdYes};
        switch (Pick(6)) {
        case 0:
            doc.OnReflectorAdd();
            break;
        case 1:
            m_view.selected = {Pick(int(doc.m_listReflectors.size()) + 1)};
            doc.OnReflectorEdit();
            break;
        case 2:
            SelectSome(doc);
            doc.OnReflectorDelete();
            break;
        case 3:
            SelectSome(doc);
            doc.RemoveSelectedReflectors(Str::StepCut);
            break;
        case 4:
            doc.OnEditPaste(ReflectorText(RecordPointers(some)));
            break;
        default:
            QVERIFY(SemicolonList::Save(m_dir.filePath("some.csv"), some, DateTimeStamp{"d", "t"}, nullptr));
            doc.ImportFiles({m_dir.filePath("some.csv")});
            break;
        }
    }

    // The rows are the records of the list, none gone.
    static bool RowsShowTheList(const FakeView &view, const CLodexDoc &doc)
    {
        std::vector<const CReflector *> rows(view.rows.begin(), view.rows.end());
        std::vector<const CReflector *> records = RecordPointers(doc.m_listReflectors);
        std::sort(rows.begin(), rows.end());
        std::sort(records.begin(), records.end());
        return rows == records;
    }

private slots:
    void randomCommandsUndoneAndRedone_data()
    {
        QTest::addColumn<quint32>("seed");
        for (quint32 seed : {1u, 2u, 3u, 4u, 5u, 6u, 7u, 8u})
            QTest::newRow(qPrintable(QStringLiteral("seed %1").arg(seed))) << seed;
    }
    void randomCommandsUndoneAndRedone()
    {
        QFETCH(quint32, seed);
        m_random.seed(seed);
        m_fake.Reset();
        CLodexDoc &doc = *m_fake.doc;
        CUndoHistory history(doc);
        doc.m_listReflectors = SampleList(4);
        doc.RefreshView();

        // The list after each step of the history, and the step last saved.
        QList<QList<QByteArrayList>> states{AllFields(doc.m_listReflectors)};
        int saved = 0;
        QUndoStack &stack = history.Stack();
        for (int i = 0; i < 40; ++i) {
            if (Pick(8) == 0) {
                QCOMPARE(doc.OnSaveDocument(m_dir.filePath("saved.ldx")), CSafeSave::Result::Saved);
                saved = stack.index();
            }
            RunCommand(doc);
            if (stack.index() == states.size())
                states << AllFields(doc.m_listReflectors);
            QCOMPARE(stack.index(), states.size() - 1); // one step per command that changed anything
            QCOMPARE(AllFields(doc.m_listReflectors), states.last());
            QCOMPARE(doc.IsModified(), stack.index() != saved);
            QVERIFY(RowsShowTheList(m_view, doc));
        }
        for (int step = stack.index(); step > 0; --step) {
            stack.undo();
            QCOMPARE(AllFields(doc.m_listReflectors), states[step - 1]);
            QCOMPARE(doc.IsModified(), step - 1 != saved);
            QVERIFY(RowsShowTheList(m_view, doc));
        }
        for (int step = 1; step < states.size(); ++step) {
            stack.redo();
            QCOMPARE(AllFields(doc.m_listReflectors), states[step]);
            QCOMPARE(doc.IsModified(), step != saved);
            QVERIFY(RowsShowTheList(m_view, doc));
        }
    }
};

LODEX_TEST(UndoHistoryTest)
#include "tst_undohistory.moc"

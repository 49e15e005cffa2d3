// Copy and drag-out on the real list: what the clipboard and a drop
// receive, and that the list stays as it was.
#include "data/lodexdoc.h"
#include "support/rowselection.h"
#include "support/testmain.h"
#include "support/testutil.h"
#include "view/copydragout.h"
#include "view/core/connectionfile.h"
#include "view/core/reflectordatasource.h"
#include "view/core/reflectortext.h"
#include "view/lodexview.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>

namespace {

// A window that takes drops as a move, and keeps what it was given.
class DropTarget : public QWidget
{
public:
    DropTarget() { setAcceptDrops(true); }
    bool entered = false;
    QStringList formats;
    QByteArray text;
    QList<QUrl> urls;
    QList<QByteArray> files; // read at the drop, as a file manager would

protected:
    void dragEnterEvent(QDragEnterEvent *event) override
    {
        entered = true;
        Accept(event);
    }
    void dragMoveEvent(QDragMoveEvent *event) override { Accept(event); }
    void dropEvent(QDropEvent *event) override
    {
        formats = event->mimeData()->formats();
        text = event->mimeData()->data(QStringLiteral("text/plain"));
        urls = event->mimeData()->urls();
        for (const QUrl &url : urls)
            files << ReadAll(url.toLocalFile());
        Accept(event);
    }

private:
    static void Accept(QDropEvent *event)
    {
        event->setDropAction(Qt::MoveAction);
        event->accept();
    }
};

} // namespace

class CopyDragOutTest : public QObject
{
    Q_OBJECT

    CLodexDoc m_doc;
    std::unique_ptr<QTemporaryDir> m_dragBase;
    std::unique_ptr<CLodexView> m_view;
    std::unique_ptr<CCopyDragOut> m_copy;

    // Presses on row `row`, drags it over `target` and drops it there once
    // the target has taken the drag in.
    void DragRowOnto(int row, DropTarget *target)
    {
        const QPoint start = m_view->visualRect(m_view->model()->index(row, 0)).center();
        QTest::mousePress(m_view->viewport(), Qt::LeftButton, {}, start);
        // The drag loop runs inside the move below; these timers act in it.
        QTimer moving;
        int ticks = 0;
        connect(&moving, &QTimer::timeout, target, [&] {
            QWindow *window = target->windowHandle();
            const QPoint center = target->rect().center() + QPoint(ticks % 2, 0);
            if (target->entered || ++ticks > 250) {
                moving.stop();
                QTest::mouseRelease(window, Qt::LeftButton, {}, center);
            } else {
                QTest::mouseMove(window, center);
            }
        });
        moving.start(20);
        const QPoint far = start + QPoint(0, 3 * QApplication::startDragDistance() + 10);
        QMouseEvent move(QEvent::MouseMove, QPointF(far), m_view->viewport()->mapToGlobal(QPointF(far)), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(m_view->viewport(), &move);
        QCoreApplication::sendEvent(m_view->viewport(), &move);
    }

private slots:
    void init()
    {
        m_dragBase = std::make_unique<QTemporaryDir>();
        m_view = std::make_unique<CLodexView>();
        m_view->AttachDocument(&m_doc);
        m_doc.m_listReflectors = SampleList(4);
        m_doc.m_listReflectors[2]->m_strFullName = "Reflector 1"; // the same name as row 0
        m_doc.RefreshView();
        m_copy = std::make_unique<CCopyDragOut>(*m_view, m_dragBase->path());
    }
    void cleanup()
    {
        m_copy.reset();
        m_view.reset();
        m_doc.DeleteContents();
    }

    void copyRendersTheSelectionOfThePaste()
    {
        m_view->selectRow(2);
        SelectAlso(*m_view, 0);
        m_copy->OnEditCopy();
        const QMimeData *clip = QGuiApplication::clipboard()->mimeData();
        QVERIFY(qobject_cast<const CReflectorDataSource *>(clip));
        QCOMPARE(clip->data(QStringLiteral("text/plain")), ReflectorText(RecordPointers(m_doc.m_listReflectors, {0, 2})));
        m_view->selectRow(3);
        QCOMPARE(clip->data(QStringLiteral("text/plain")), ReflectorText(RecordPointers(m_doc.m_listReflectors, {3})));
        // The list gone, a paste gets nothing rather than freed records.
        m_view.reset();
        QCOMPARE(clip->data(QStringLiteral("text/plain")), QByteArray());
    }

    void aDropGetsTheTextAndOneFilePerRowAndTheRowsStay()
    {
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            QSKIP("the offscreen platform has no drag loop (run as tst_view_x11 under xvfb-run)");
        m_view->resize(700, 300);
        m_view->show();
        DropTarget target;
        target.resize(200, 200);
        target.move(0, 350);
        m_view->move(0, 0);
        target.show();
        QVERIFY(QTest::qWaitForWindowExposed(m_view.get()));
        QVERIFY(QTest::qWaitForWindowExposed(&target));
        m_view->selectRow(0);
        SelectAlso(*m_view, 2);
        DragRowOnto(2, &target);
        QCOMPARE(target.text, ReflectorText(RecordPointers(m_doc.m_listReflectors, {0, 2})));
        QVERIFY(target.formats.contains(QStringLiteral("text/uri-list")));
        QCOMPARE(target.urls.size(), 2);
        QCOMPARE(target.urls[0].fileName(), QStringLiteral("Reflector 1.cu"));
        QCOMPARE(target.urls[1].fileName(), QStringLiteral("Reflector 1 (2).cu"));
        QCOMPARE(target.files, (QList<QByteArray>{ConnectionFile(*m_doc.m_listReflectors[0]),
                                                  ConnectionFile(*m_doc.m_listReflectors[2])}));
        QVERIFY(target.urls[0].toLocalFile().startsWith(m_dragBase->path()));
        // Dropped as a move, yet nothing left the list.
        QCOMPARE(m_view->GetRowCount(), 4);
        QCOMPARE(m_doc.m_listReflectors.size(), std::size_t(4));
        QCOMPARE(m_view->SelectedRows(), (std::vector<int>{0, 2}));
    }
};

LODEX_TEST(CopyDragOutTest)
#include "tst_copydragout.moc"

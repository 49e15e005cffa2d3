#include "data/lodexdoc.h"
#include "support/fakes.h"
#include "support/rowselection.h"
#include "support/testmain.h"
#include "support/testutil.h"
#include "view/copydragout.h"
#include "view/core/reflectordatasource.h"
#include "view/core/reflectortext.h"
#include "view/lodexview.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

// What other programs read from the clipboard, through a real X server:
// xclip asks for the text while this process serves it. Skipped without
// X11; CTest runs it under Xvfb (tst_view_x11).
class ClipboardX11Test : public QObject
{
    Q_OBJECT

    ReflectorList m_list = SampleList(3);
    FakeView m_view;
    QObject m_viewObject;

    // Reads the clipboard as another program, with the target asked for
    // (xclip's default when empty). The event loop runs meanwhile, so this
    // process can answer.
    static QByteArray Paste(const QString &target = QString())
    {
        QStringList args{QStringLiteral("-o"), QStringLiteral("-selection"), QStringLiteral("clipboard")};
        if (!target.isEmpty())
            args << QStringLiteral("-t") << target;
        QProcess xclip;
        QSignalSpy finished(&xclip, &QProcess::finished);
        xclip.start(QStringLiteral("xclip"), args);
        if (!finished.wait(10000))
            return "(xclip did not finish)";
        return xclip.readAllStandardOutput();
    }

private slots:
    void initTestCase()
    {
        m_list[1]->m_strFullName = "Caf\xC3\xA9 \xE2\x82\xAC";
        m_view.SetRows(m_list);
    }
    void init()
    {
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            QSKIP("needs an X server (run as tst_view_x11 under xvfb-run)");
        if (QStandardPaths::findExecutable(QStringLiteral("xclip")).isEmpty())
            QSKIP("needs xclip");
    }

    void otherProgramsReadTheText_data()
    {
        QTest::addColumn<QString>("target");
        QTest::newRow("default") << QString();
        QTest::newRow("UTF8_STRING") << QStringLiteral("UTF8_STRING");
        QTest::newRow("text/plain;charset=utf-8") << QStringLiteral("text/plain;charset=utf-8");
        QTest::newRow("text/plain") << QStringLiteral("text/plain");
    }
    void otherProgramsReadTheText()
    {
        QFETCH(QString, target);
        m_view.selected = {0, 1, 2};
        QGuiApplication::clipboard()->setMimeData(new CReflectorDataSource(&m_view, &m_viewObject));
        QCOMPARE(Paste(target), ReflectorText(RecordPointers(m_list)));
    }

    void eachPasteReadsTheSelectionOfItsMoment()
    {
        m_view.selected = {0};
        QGuiApplication::clipboard()->setMimeData(new CReflectorDataSource(&m_view, &m_viewObject));
        QCOMPARE(Paste(), ReflectorText(RecordPointers(m_list, {0})));
        m_view.selected = {2};
        QCOMPARE(Paste(), ReflectorText(RecordPointers(m_list, {2})));
    }

    void editCopyOnTheListReachesOtherPrograms()
    {
        CLodexDoc doc;
        CLodexView view;
        view.AttachDocument(&doc);
        doc.m_listReflectors = SampleList(3);
        doc.RefreshView();
        QTemporaryDir drags;
        CCopyDragOut copy(view, drags.path());
        view.selectRow(2);
        SelectAlso(view, 0);
        copy.OnEditCopy();
        QCOMPARE(Paste(), ReflectorText(RecordPointers(doc.m_listReflectors, {0, 2})));
        view.selectRow(1);
        QCOMPARE(Paste(), ReflectorText(RecordPointers(doc.m_listReflectors, {1})));
    }

    void bothTextNamesAreOffered()
    {
        m_view.selected = {0};
        QGuiApplication::clipboard()->setMimeData(new CReflectorDataSource(&m_view, &m_viewObject));
        const QByteArray targets = Paste(QStringLiteral("TARGETS"));
        QVERIFY2(targets.contains("UTF8_STRING"), targets.constData());
        QVERIFY2(targets.contains("text/plain;charset=utf-8"), targets.constData());
    }
};

LODEX_TEST(ClipboardX11Test)
#include "tst_clipboardx11.moc"

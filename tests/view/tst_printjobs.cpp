#include "support/fakes.h"
#include "support/modalwatch.h"
#include "support/testmain.h"
#include "support/testutil.h"
#include "view/previewpages.h"
#include "view/printjobs.h"
#include "view/printpreviewdialog.h"
#include "view/reportprinter.h"

#include <QAction>
#include <QGuiApplication>
#include <QLabel>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

Q_DECLARE_METATYPE(PrintTarget::Kind)
Q_DECLARE_METATYPE(CPreviewPages::Layout)

class PrintJobsTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    void printToTarget_data()
    {
        QTest::addColumn<QString>("printer");
        QTest::addColumn<QString>("port");
        QTest::addColumn<PrintTarget::Kind>("kind");
        QTest::addColumn<QString>("name");
        QTest::newRow("named printer") << "Office" << "lp0" << PrintTarget::NamedPrinter << "Office";
        QTest::newRow("port names a pdf") << "x" << "out.pdf" << PrintTarget::PdfFile << "out.pdf";
        QTest::newRow("any letter case") << "x" << "/tmp/Out.PDF" << PrintTarget::PdfFile << "/tmp/Out.PDF";
        QTest::newRow("printer names a pdf") << "report.pdf" << "lp0" << PrintTarget::PdfFile << "report.pdf";
        QTest::newRow("port wins") << "a.pdf" << "b.pdf" << PrintTarget::PdfFile << "b.pdf";
        QTest::newRow("pdf inside a name is a printer") << "pdf-writer" << "lp0" << PrintTarget::NamedPrinter
                                                        << "pdf-writer";
    }
    void printToTarget()
    {
        QFETCH(QString, printer);
        QFETCH(QString, port);
        QFETCH(PrintTarget::Kind, kind);
        QFETCH(QString, name);
        const PrintTarget target = PrintTarget::ForPrintTo(printer, QStringLiteral("driver"), port);
        QCOMPARE(target.kind, kind);
        QCOMPARE(target.name, name);
    }

    void printDirectIntoPdf()
    {
        const QString pdf = m_dir.filePath(QStringLiteral("direct.pdf"));
        QVERIFY(WriteAll(pdf, "an older file"));
        const ReflectorList list = SampleList(3);
        CReportPrinter report(QStringLiteral("Reflector"), ReportRows::FromList(list));
        QString error;
        QVERIFY2(PrintJobs::PrintDirect(report, {PrintTarget::PdfFile, pdf}, &error), qPrintable(error));
        QVERIFY(ReadAll(pdf).startsWith("%PDF"));
    }

    void printDirectRefuses_data()
    {
        QTest::addColumn<PrintTarget::Kind>("kind");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("message");
        QTest::newRow("unknown printer") << PrintTarget::NamedPrinter << "No Such Printer 42"
                                         << "There is no printer named 'No Such Printer 42'.";
        QTest::newRow("empty printer name") << PrintTarget::NamedPrinter << "" << "There is no printer named ''.";
        QTest::newRow("pdf in a missing folder") << PrintTarget::PdfFile << "missing/folder/out.pdf"
                                                 << "Cannot create the file";
        QTest::newRow("no default printer") << PrintTarget::DefaultPrinter << "" << "There is no default printer.";
    }
    void printDirectRefuses()
    {
        QFETCH(PrintTarget::Kind, kind);
        QFETCH(QString, name);
        QFETCH(QString, message);
        if (kind == PrintTarget::DefaultPrinter && !QPrinterInfo::defaultPrinter().isNull())
            QSKIP("this machine has a default printer");
        const QString target = kind == PrintTarget::PdfFile ? m_dir.filePath(name) : name;
        const ReflectorList list = SampleList(1);
        CReportPrinter report(QStringLiteral("Reflector"), ReportRows::FromList(list));
        QString error;
        QVERIFY(!PrintJobs::PrintDirect(report, {kind, target}, &error));
        QVERIFY2(error.startsWith(message), qPrintable(error));
        if (kind == PrintTarget::PdfFile)
            QVERIFY(!QFile::exists(target));
    }

    void previewKeepsThePageMode_data()
    {
        using L = CPreviewPages::Layout;
        QTest::addColumn<int>("stored");
        QTest::addColumn<L>("shown");
        QTest::addColumn<int>("chosen"); // command the user runs, -1: none
        QTest::addColumn<int>("expected");
        QTest::newRow("first run") << 0 << L::OnePage << -1 << 1;
        QTest::newRow("two pages kept") << 2 << L::TwoPages << -1 << 2;
        QTest::newRow("switch to two") << 1 << L::OnePage << int(CPrintPreviewDialog::TwoPages) << 2;
        QTest::newRow("switch to one") << 2 << L::TwoPages << int(CPrintPreviewDialog::SinglePage) << 1;
    }
    void previewKeepsThePageMode()
    {
        QFETCH(int, stored);
        QFETCH(CPreviewPages::Layout, shown);
        QFETCH(int, chosen);
        QFETCH(int, expected);

        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        // A range left from an earlier print does not hide pages.
        printer.setFromTo(2, 2);
        int previewPages = stored;
        RunPreview(printer, previewPages, [&](CPrintPreviewDialog &dialog) {
            CPreviewPages &pages = dialog.Pages();
            QCOMPARE(pages.PageLayout(), shown);
            const auto mode = shown == CPreviewPages::Layout::TwoPages ? CPrintPreviewDialog::TwoPages
                                                                       : CPrintPreviewDialog::SinglePage;
            QVERIFY(dialog.Action(mode)->isChecked());
            QCOMPARE(pages.PageCount(), 3);
            if (chosen >= 0)
                dialog.Action(CPrintPreviewDialog::Command(chosen))->trigger();
            dialog.reject();
        });
        QCOMPARE(previewPages, expected);
    }

    // Two pages side by side, two to a row, page 1 on the left: where each
    // page's sheet lies, as the preview shows them.
    void previewPutsTwoPagesSideBySide()
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        int previewPages = 2;
        RunPreview(printer, previewPages, [&](CPrintPreviewDialog &dialog) {
            CPreviewPages &pages = dialog.Pages();
            QList<QRect> sheets; // in the view's coordinates
            for (int page = 1; page <= pages.PageCount(); ++page)
                sheets << pages.SheetRect(page).translated(pages.widget()->mapTo(pages.viewport(), QPoint(0, 0)));
            QCOMPARE(sheets.size(), 3);
            QVERIFY(sheets[0].top() == sheets[1].top() && sheets[0].right() < sheets[1].left());
            QVERIFY(sheets[2].left() == sheets[0].left() && sheets[2].top() > sheets[0].bottom());
            // Fitted, the first row shows whole, drawn as paper where the sheets lie.
            QVERIFY(pages.viewport()->rect().contains(sheets[0].united(sheets[1])));
            const QImage shown = pages.viewport()->grab().toImage();
            for (const QRect &sheet : sheets.mid(0, 2))
                QCOMPARE(shown.pixel((sheet.topLeft() + QPoint(1, 1)) * shown.devicePixelRatio()), qRgb(255, 255, 255));
        });
    }

    void previewToolBar_data()
    {
        using C = CPrintPreviewDialog;
        QTest::addColumn<QList<int>>("commands"); // run in order on a fresh three-page preview
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("enabled"); // First, Previous, Next, Last
        QTest::addColumn<QString>("fit");     // the checked fit: "width", "page" or none
        QTest::newRow("opened") << QList<int>{} << 1 << "0011" << "page";
        QTest::newRow("next") << QList<int>{C::NextPage} << 2 << "1111" << "page";
        QTest::newRow("last") << QList<int>{C::LastPage} << 3 << "1100" << "page";
        QTest::newRow("previous") << QList<int>{C::LastPage, C::PreviousPage} << 2 << "1111" << "page";
        QTest::newRow("first") << QList<int>{C::LastPage, C::FirstPage} << 1 << "0011" << "page";
        QTest::newRow("zoomed") << QList<int>{C::ZoomIn} << 1 << "0011" << "";
        QTest::newRow("fit width") << QList<int>{C::ZoomOut, C::FitWidth} << 1 << "0011" << "width";
        QTest::newRow("new mode fits") << QList<int>{C::ZoomIn, C::TwoPages} << 1 << "0011" << "page";
    }
    void previewToolBar()
    {
        QFETCH(QList<int>, commands);
        QFETCH(int, page);
        QFETCH(QString, enabled);
        QFETCH(QString, fit);
        using C = CPrintPreviewDialog;
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        int previewPages = 1;
        RunPreview(printer, previewPages, [&](CPrintPreviewDialog &dialog) {
            for (int command : commands)
                dialog.Action(C::Command(command))->trigger();
            QCOMPARE(dialog.Pages().CurrentPage(), page);
            QString states;
            for (C::Command c : {C::FirstPage, C::PreviousPage, C::NextPage, C::LastPage})
                states += dialog.Action(c)->isEnabled() ? u'1' : u'0';
            QCOMPARE(states, enabled);
            QCOMPARE(dialog.Action(C::FitWidth)->isChecked(), fit == "width");
            QCOMPARE(dialog.Action(C::FitPage)->isChecked(), fit == "page");
            QCOMPARE(dialog.findChild<QLabel *>(QStringLiteral("previewPageNumber"))->text(),
                     QStringLiteral("Page %1 of 3").arg(page));
        });
    }

    // The preview's Print is File > Print: the print dialog, then the job
    // through the safe path for a PDF file; the preview closes once a job ran.
    void previewPrints_data()
    {
        QTest::addColumn<bool>("accepted");
        QTest::newRow("printed") << true;
        QTest::newRow("print dialog cancelled") << false;
    }
    void previewPrints()
    {
        QFETCH(bool, accepted);
        const QString pdf = m_dir.filePath(QStringLiteral("preview.pdf"));
        QFile::remove(pdf);
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        int previewPages = 1;
        RunPreview(printer, previewPages, [&](CPrintPreviewDialog &dialog) {
            WhenShown<QPrintDialog>([accepted](QPrintDialog *print) { accepted ? print->accept() : print->reject(); });
            dialog.Action(CPrintPreviewDialog::Print)->trigger();
            QCOMPARE(dialog.isVisible(), !accepted);
        });
        QCOMPARE(QFile::exists(pdf), accepted);
        if (accepted)
            QCOMPARE(PdfPageCount(pdf), 3);
        QVERIFY(m_prompts.messages.isEmpty());
    }

    // A job paints under the wait cursor, which goes with the job.
    void printPaintsUnderTheWaitCursor()
    {
        const ReflectorList list = SampleList(3);
        int cursor = -1;
        const auto at = [&](int row) {
            cursor = QGuiApplication::overrideCursor() ? QGuiApplication::overrideCursor()->shape() : -1;
            return list[row].get();
        };
        CReportPrinter report(QStringLiteral("t"), {[] { return 3; }, at});
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFileName(m_dir.filePath(QStringLiteral("busy.pdf")));
        PrintJobs::PrintWithoutDialog(nullptr, printer, report, m_prompts);
        QCOMPARE(cursor, int(Qt::WaitCursor));
        QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
    }

private:
    FakePrompts m_prompts;

    // Previews a three-page list on `printer` and runs `check` on the open
    // preview, which is closed after if `check` left it open.
    void RunPreview(QPrinter &printer, int &previewPages, const std::function<void(CPrintPreviewDialog &)> &check)
    {
        ReflectorList none;
        CReportPrinter probe(QStringLiteral("t"), ReportRows::FromList(none));
        probe.BeginPrinting(printer);
        const ReflectorList list = SampleList(2 * probe.Layout().m_nPerPage + 1);
        CReportPrinter report(QStringLiteral("Reflector"), ReportRows::FromList(list));
        bool seen = false;
        WhenShown<CPrintPreviewDialog>([&](CPrintPreviewDialog *dialog) {
            const auto closeAnyway = qScopeGuard([dialog] { dialog->reject(); });
            seen = true;
            check(*dialog);
        });
        PrintJobs::Preview({}, printer, report, m_prompts, previewPages);
        QVERIFY(seen);
    }
};

LODEX_TEST(PrintJobsTest)
#include "tst_printjobs.moc"

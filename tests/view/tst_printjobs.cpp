#include "support/fakes.h"
#include "support/testmain.h"
#include "support/testutil.h"
#include "view/printjobs.h"
#include "view/reportprinter.h"

#include <QAction>
#include <QApplication>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPrinterInfo>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

Q_DECLARE_METATYPE(PrintTarget::Kind)
Q_DECLARE_METATYPE(QPrintPreviewWidget::ViewMode)

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
        QTest::addColumn<int>("stored");
        QTest::addColumn<QPrintPreviewWidget::ViewMode>("shown");
        QTest::addColumn<int>("chosen"); // mode the user switches to, -1: none
        QTest::addColumn<int>("expected");
        QTest::newRow("first run") << 0 << QPrintPreviewWidget::SinglePageView << -1 << 1;
        QTest::newRow("two pages kept") << 2 << QPrintPreviewWidget::FacingPagesView << -1 << 2;
        QTest::newRow("switch to two") << 1 << QPrintPreviewWidget::SinglePageView
                                       << int(QPrintPreviewWidget::FacingPagesView) << 2;
        QTest::newRow("switch to one") << 2 << QPrintPreviewWidget::FacingPagesView
                                       << int(QPrintPreviewWidget::SinglePageView) << 1;
        QTest::newRow("all pages not remembered") << 2 << QPrintPreviewWidget::FacingPagesView
                                                  << int(QPrintPreviewWidget::AllPagesView) << 2;
    }
    void previewKeepsThePageMode()
    {
        QFETCH(int, stored);
        QFETCH(QPrintPreviewWidget::ViewMode, shown);
        QFETCH(int, chosen);
        QFETCH(int, expected);

        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        // A range left from an earlier print must not hide pages.
        printer.setFromTo(2, 2);
        ReflectorList none;
        CReportPrinter probe(QStringLiteral("t"), ReportRows::FromList(none));
        probe.BeginPrinting(printer);
        const ReflectorList list = SampleList(2 * probe.Layout().m_nPerPage + 1);
        CReportPrinter report(QStringLiteral("Reflector"), ReportRows::FromList(list));

        bool seen = false;
        QTimer::singleShot(0, this, [&] {
            const auto closeAnyway = qScopeGuard([] {
                if (QWidget *modal = QApplication::activeModalWidget())
                    modal->close();
            });
            auto *dialog = qobject_cast<QPrintPreviewDialog *>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            auto *pages = dialog->findChild<QPrintPreviewWidget *>();
            QCOMPARE(pages->viewMode(), shown);
            const char *action = shown == QPrintPreviewWidget::FacingPagesView ? "facingModeAction"
                                                                               : "singleModeAction";
            QVERIFY(dialog->findChild<QAction *>(QLatin1String(action))->isChecked());
            QCOMPARE(pages->pageCount(), 3);
            if (chosen >= 0)
                pages->setViewMode(QPrintPreviewWidget::ViewMode(chosen));
            seen = true;
            dialog->reject();
        });
        int previewPages = stored;
        PrintJobs::Preview(nullptr, printer, report, previewPages);
        QVERIFY(seen);
        QCOMPARE(previewPages, expected);
    }
};

LODEX_TEST(PrintJobsTest)
#include "tst_printjobs.moc"

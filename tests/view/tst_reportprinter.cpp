#include "support/testmain.h"
#include "support/testutil.h"
#include "view/reportprinter.h"

#include "data/ldxfile.h"
#include "resources/bitmaps.h"

#include <QFontInfo>
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

void PreparePdf(QPrinter &printer, const QString &path)
{
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
}

// Entries per page on the default PDF printer, as the job measures it.
int PdfEntriesPerPage()
{
    QPrinter printer(QPrinter::HighResolution);
    PreparePdf(printer, QStringLiteral("unused.pdf"));
    ReflectorList none;
    CReportPrinter report(QStringLiteral("t"), ReportRows::FromList(none));
    report.BeginPrinting(printer);
    return report.Layout().m_nPerPage;
}

bool IsTeal(QRgb pixel)
{
    return qRed(pixel) < 64 && qGreen(pixel) > 96 && qBlue(pixel) > 96 && qGreen(pixel) < 160;
}

bool IsDark(QRgb pixel)
{
    return qGray(pixel) < 96;
}

} // namespace

class ReportPrinterTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    void initTestCase()
    {
        QVERIFY2(!QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty(),
                 "the printed PDFs are read with poppler-utils (scripts/install-deps.sh)");
    }

    void sampleFilePrintsOnOnePage()
    {
        ReflectorList list;
        QCOMPARE(LdxFile::Load(QStringLiteral(LODEX_SOURCE_DIR "/examples/sample.ldx"), list, nullptr),
                 OpenResult::Opened);
        const QString pdf = m_dir.filePath(QStringLiteral("sample.pdf"));
        QPrinter printer(QPrinter::HighResolution);
        PreparePdf(printer, pdf);
        CReportPrinter report(QStringLiteral("sample.ldx"), ReportRows::FromList(list));
        QVERIFY(report.Print(printer));

        QCOMPARE(PdfPageCount(pdf), 1);
        const QStringList lines = PdfPageLines(pdf, 1);
        QCOMPARE(lines.value(0), QStringLiteral("sample.ldx Page 1/1"));
        QCOMPARE(lines.value(1), QStringLiteral("1 - Paris Video Commons [Paris], France (FR)"));
        QCOMPARE(lines.value(2), QStringLiteral("IP: 192.0.2.10 ID: 0 Claire Martin (claire@example.org)"));
        QCOMPARE(lines.value(4), QStringLiteral("IP: 198.51.100.23 ID: 12 Jonas Weber (jonas@example.net)"));
        QCOMPARE(lines.size(), 1 + 2 * int(list.size()));
    }

    void pages_data()
    {
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("fromPage");
        QTest::addColumn<int>("toPage");
        QTest::addColumn<QStringList>("labels");   // "Page p/n" of each printed page
        QTest::addColumn<QList<int>>("firstEntry"); // entry number opening each page, 0: none

        const int per = PdfEntriesPerPage();
        QVERIFY(per > 6);
        QTest::newRow("empty list") << 0 << 0 << 0 << QStringList{"Page 1/1"} << QList<int>{0};
        QTest::newRow("one full page") << per << 0 << 0 << QStringList{"Page 1/1"} << QList<int>{1};
        QTest::newRow("one more") << per + 1 << 0 << 0 << QStringList{"Page 1/2", "Page 2/2"}
                                  << QList<int>{1, per + 1};
        QTest::newRow("three pages") << 2 * per + 1 << 0 << 0
                                     << QStringList{"Page 1/3", "Page 2/3", "Page 3/3"}
                                     << QList<int>{1, per + 1, 2 * per + 1};
        QTest::newRow("only page 2") << 2 * per + 1 << 2 << 2 << QStringList{"Page 2/3"}
                                     << QList<int>{per + 1};
        QTest::newRow("range past the end") << 2 * per + 1 << 5 << 9 << QStringList{"Page 3/3"}
                                            << QList<int>{2 * per + 1};
    }
    void pages()
    {
        QFETCH(int, rows);
        QFETCH(int, fromPage);
        QFETCH(int, toPage);
        QFETCH(QStringList, labels);
        QFETCH(QList<int>, firstEntry);

        const ReflectorList list = SampleList(rows);
        const QString pdf = m_dir.filePath(QStringLiteral("pages.pdf"));
        QPrinter printer(QPrinter::HighResolution);
        PreparePdf(printer, pdf);
        printer.setFromTo(fromPage, toPage);
        CReportPrinter report(QStringLiteral("Reflector"), ReportRows::FromList(list));
        QVERIFY(report.Print(printer));

        QCOMPARE(PdfPageCount(pdf), labels.size());
        for (int i = 0; i < labels.size(); ++i) {
            const QStringList lines = PdfPageLines(pdf, i + 1);
            QCOMPARE(lines.value(0), QStringLiteral("Reflector ") + labels[i]);
            if (firstEntry[i] == 0) {
                QCOMPARE(lines.size(), 1);
                continue;
            }
            // Numbering runs on across pages.
            const QByteArray n = QByteArray::number(firstEntry[i]);
            QCOMPARE(lines.value(1), QString::fromLatin1(n + " - Reflector " + n + " [R" + n + "], France (FR)"));
        }
    }

    // Texts print as they read: a line break as a space, an old
    // Windows-1252 name as its letters, and a right-to-left name in its
    // place, the entry number still first.
    void textsPrintAsTheyRead()
    {
        ReflectorList list;
        list.push_back(RawRecord("Z\xFCrich", "CH", "\xD7\xA9\xD7\x9C\xD7\x95\xD7\x9D", "Tel Aviv", "10.0.0.1",
                                 "Line one\r\nLine two", "a@b", "1"));
        const QString pdf = m_dir.filePath(QStringLiteral("texts.pdf"));
        QPrinter printer(QPrinter::HighResolution);
        PreparePdf(printer, pdf);
        CReportPrinter report(QStringLiteral("Reflector"), ReportRows::FromList(list));
        QVERIFY(report.Print(printer));
        const QStringList lines = PdfPageLines(pdf, 1);
        QVERIFY2(lines.value(1).startsWith(QLatin1String("1 - ")), qPrintable(lines.value(1)));
        QVERIFY2(lines.value(1).endsWith(QStringLiteral("Tel Aviv], Zürich (CH)")), qPrintable(lines.value(1)));
        QCOMPARE(lines.value(2), QStringLiteral("IP: 10.0.0.1 ID: 1 Line one Line two (a@b)"));
    }

    void missingRowEndsThePage()
    {
        const ReflectorList list = SampleList(3);
        ReportRows rows = ReportRows::FromList(list);
        rows.at = [&list](int row) -> const CReflector * { return row == 1 ? nullptr : list[size_t(row)].get(); };
        const QString pdf = m_dir.filePath(QStringLiteral("missing.pdf"));
        QPrinter printer(QPrinter::HighResolution);
        PreparePdf(printer, pdf);
        CReportPrinter report(QStringLiteral("Reflector"), rows);
        QVERIFY(report.Print(printer));
        const QStringList lines = PdfPageLines(pdf, 1);
        QCOMPARE(lines.size(), 3);
        QVERIFY(lines[1].startsWith(QLatin1String("1 - Reflector 1 ")));
    }

    void progressAndCancel_data()
    {
        QTest::addColumn<int>("cancelAfter"); // 0: never
        QTest::addColumn<bool>("printed");
        QTest::addColumn<QList<int>>("reported");
        QTest::newRow("runs to the end") << 0 << true << QList<int>{1, 2, 3};
        QTest::newRow("cancelled after page 1") << 1 << false << QList<int>{1};
        QTest::newRow("cancelled on the last page") << 3 << false << QList<int>{1, 2, 3};
    }
    void progressAndCancel()
    {
        QFETCH(int, cancelAfter);
        QFETCH(bool, printed);
        QFETCH(QList<int>, reported);
        const ReflectorList list = SampleList(2 * PdfEntriesPerPage() + 1);
        QPrinter printer(QPrinter::HighResolution);
        PreparePdf(printer, m_dir.filePath(QStringLiteral("progress.pdf")));
        CReportPrinter report(QStringLiteral("Reflector"), ReportRows::FromList(list));
        QList<int> calls;
        report.SetProgress([&](int done, int total) {
            calls << done;
            return total == 3 && done != cancelAfter;
        });
        QString error;
        QCOMPARE(report.Print(printer, &error), printed);
        QCOMPARE(calls, reported);
        QVERIFY(error.isEmpty()); // a cancelled job is no failure to report
    }

    void unwritableFileFails()
    {
        const ReflectorList list = SampleList(1);
        QPrinter printer(QPrinter::HighResolution);
        PreparePdf(printer, m_dir.filePath(QStringLiteral("no/such/folder/out.pdf")));
        CReportPrinter report(QStringLiteral("Reflector"), ReportRows::FromList(list));
        QString error;
        QVERIFY(!report.Print(printer, &error));
        QVERIFY(!error.isEmpty());
    }

    void fontFollowsTheDeviceResolution_data()
    {
        QTest::addColumn<int>("dpi");
        QTest::addColumn<int>("pixels");
        QTest::newRow("600 dpi") << 600 << 83;
        QTest::newRow("300 dpi") << 300 << 41;
        QTest::newRow("1200 dpi") << 1200 << 166;
        QTest::newRow("72 dpi") << 72 << 10;
    }
    void fontFollowsTheDeviceResolution()
    {
        QFETCH(int, dpi);
        QFETCH(int, pixels);
        const QFont normal = CReportPrinter::ReportFont(dpi, false);
        const QFont bold = CReportPrinter::ReportFont(dpi, true);
        QCOMPARE(normal.pixelSize(), pixels);
        QCOMPARE(bold.weight(), QFont::Bold);
        // Whatever face stands in for Courier New, the columns need a fixed pitch.
        QVERIFY(QFontInfo(normal).fixedPitch());
        QCOMPARE(QFontMetrics(bold).horizontalAdvance(QStringLiteral("iiii")),
                 QFontMetrics(bold).horizontalAdvance(QStringLiteral("MMMM")));
    }

    void bands_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<int>("slot");
        QTest::addColumn<bool>("banded");
        QTest::addColumn<bool>("zoomed"); // drawn at half size, as the preview may
        QTest::newRow("first entry") << 1 << 0 << true << false;
        QTest::newRow("second entry") << 1 << 1 << false << false;
        QTest::newRow("third entry") << 1 << 2 << true << false;
        // Page 2 opens with a band whatever its first entry's number.
        QTest::newRow("page 2, first entry") << 2 << 0 << true << false;
        QTest::newRow("page 2, second entry") << 2 << 1 << false << false;
        QTest::newRow("preview, first entry") << 1 << 0 << true << true;
        QTest::newRow("preview, second entry") << 1 << 1 << false << true;
    }
    void bands()
    {
        QFETCH(int, page);
        QFETCH(int, slot);
        QFETCH(bool, banded);
        QFETCH(bool, zoomed);

        QImage device(2400, 3200, QImage::Format_RGB32);
        device.setDotsPerMeterX(11811); // 300 dpi
        device.setDotsPerMeterY(11811);
        device.fill(Qt::white);
        ReflectorList none;
        CReportPrinter probe(QStringLiteral("t"), ReportRows::FromList(none));
        probe.BeginPrinting(device);
        const int per = probe.Layout().m_nPerPage;
        QVERIFY(per % 2 == 1 || per > 3); // page 2 then starts on an odd or an even number alike
        const ReflectorList list = SampleList(per + 3);
        CReportPrinter report(QStringLiteral("Reflector"), ReportRows::FromList(list));
        report.BeginPrinting(device);
        {
            QPainter painter(&device);
            if (zoomed)
                painter.scale(0.5, 0.5);
            report.PrintPage(painter, page);
        }
        const CPrintLayout &layout = report.Layout();
        const PrintRect band = layout.BandRect(slot);
        const int x = (band.right - 16) & ~7;
        const int y = (band.top + 8) & ~7;
        if (zoomed) {
            // An even tint that no zoom can alias.
            const QRgb expected = banded ? BandPatternTint().rgb() : qRgb(255, 255, 255);
            for (int dx = 0; dx < 8; ++dx)
                QCOMPARE(device.pixel(x / 2 + dx, y / 2 + dx / 2), expected);
            return;
        }
        // Right of the text, on the pattern's grid of device pixels.
        QCOMPARE(IsTeal(device.pixel(x, y)), banded);
        QVERIFY(!IsTeal(device.pixel(x + 1, y)));
        QVERIFY(!IsTeal(device.pixel(x, y + 1)));
        QCOMPARE(IsTeal(device.pixel(x + 4, y + 4)), banded);
        QCOMPARE(IsTeal(device.pixel(x + 2, y + 2)), banded);
        QCOMPARE(IsTeal(device.pixel(band.left, band.bottom - 2 - ((band.bottom - 2) % 4 == 0 ? 0 : 2))), banded);
        // Nothing past the right margin.
        QCOMPARE(device.pixel(band.right, y), qRgb(255, 255, 255));
    }

    void headerLayout()
    {
        QImage device(2400, 3200, QImage::Format_RGB32);
        device.setDotsPerMeterX(11811);
        device.setDotsPerMeterY(11811);
        device.fill(Qt::white);
        const ReflectorList list = SampleList(1);
        CReportPrinter report(QStringLiteral("Reflector"), ReportRows::FromList(list));
        report.BeginPrinting(device);
        {
            QPainter painter(&device);
            report.PrintPage(painter, 1);
        }
        const CPrintLayout &layout = report.Layout();
        // The rule spans the page between the margins at one and a half lines.
        QVERIFY(IsDark(device.pixel(layout.RuleLeft(), layout.RuleY())));
        QVERIFY(IsDark(device.pixel(layout.RuleRight() - 1, layout.RuleY())));
        QVERIFY(!IsDark(device.pixel(layout.RuleRight() + 1, layout.RuleY())));
        // The page label ends at the right margin, within one character.
        int rightmost = -1;
        for (int y = layout.HeaderTop(); y < layout.HeaderTop() + layout.m_cyLine; ++y)
            for (int x = 0; x < device.width(); ++x)
                if (IsDark(device.pixel(x, y)))
                    rightmost = std::max(rightmost, x);
        QVERIFY(rightmost < layout.RuleRight());
        QVERIFY(rightmost > layout.RuleRight() - layout.m_cxChar);
    }
};

LODEX_TEST(ReportPrinterTest)
#include "tst_reportprinter.moc"

// Printing, the About box and the web links as the main window runs them,
// and printing from the command line.
#include "app/aboutbox.h"
#include "resources/versioninfo.h"
#include "app/lodexapp.h"
#include "app/mainframe.h"
#include "app/weblinks.h"
#include "base/settingsstore.h"
#include "data/ldxfile.h"
#include "data/lodexdoc.h"
#include "support/appfixture.h"
#include "support/testmain.h"
#include "support/testutil.h"
#include "view/lodexview.h"
#include "view/previewpages.h"
#include "view/printpreviewdialog.h"

#include <QAction>
#include <QDesktopServices>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

const QString kSample = QStringLiteral(LODEX_SOURCE_DIR "/examples/sample.ldx");
constexpr int kNoSwitch = -1;  // previewed, the page mode left as shown
constexpr int kNoPreview = -2; // not previewed at all

// Runs `check` on the modal dialog the next command opens, then closes it.
template <typename Dialog>
void OnNextDialog(QObject *context, std::function<void(Dialog *)> check, bool *seen)
{
    QTimer::singleShot(0, context, [check, seen] {
        const auto closeAnyway = qScopeGuard([] {
            if (QWidget *modal = QApplication::activeModalWidget())
                modal->close();
        });
        if (auto *dialog = qobject_cast<Dialog *>(QApplication::activeModalWidget())) {
            check(dialog);
            *seen = true;
        }
    });
}

} // namespace

class UrlCatcher : public QObject
{
    Q_OBJECT

public:
    QList<QUrl> opened;

public slots:
    void open(const QUrl &url) { opened << url; }
};

class PrintAndHelpCommandsTest : public QObject, AppFixture
{
    Q_OBJECT

    QTemporaryDir m_dir;

    // Chooses "Print to file" into `pdf` in File > Print Setup, whatever
    // printers the machine has.
    void PrintToFileInSetup(const QString &pdf)
    {
        bool seen = false;
        OnNextDialog<QPrintDialog>(this, [&pdf](QPrintDialog *dialog) {
            dialog->accept();
            dialog->printer()->setOutputFormat(QPrinter::PdfFormat);
            dialog->printer()->setOutputFileName(pdf);
        }, &seen);
        QVERIFY(Trigger(CommandId::FilePrintSetup));
        QVERIFY(seen);
    }

private slots:
    void init() { BeginTest(); }
    void cleanup() { EndTest(); }

    void commandsEnabledWithAnEmptyList_data()
    {
        QTest::addColumn<CommandId>("id");
        QTest::newRow("print") << CommandId::FilePrint;
        QTest::newRow("print preview") << CommandId::FilePrintPreview;
        QTest::newRow("print setup") << CommandId::FilePrintSetup;
        QTest::newRow("client maker's site") << CommandId::WebCuSeeMe;
        QTest::newRow("author's page") << CommandId::WebHomePage;
        QTest::newRow("about") << CommandId::AppAbout;
    }
    void commandsEnabledWithAnEmptyList()
    {
        QFETCH(CommandId, id);
        QCOMPARE(App().InitInstance({}), CLodexApp::kRunEventLoop);
        QVERIFY(Frame().Action(id)->isEnabled());
    }

    void webCommandsOpenTheBrowser()
    {
        UrlCatcher browser;
        QDesktopServices::setUrlHandler(QStringLiteral("https"), &browser, "open");
        const auto unset = qScopeGuard([] { QDesktopServices::unsetUrlHandler(QStringLiteral("https")); });
        App().InitInstance({});
        QVERIFY(Trigger(CommandId::WebCuSeeMe));
        QVERIFY(Trigger(CommandId::WebHomePage));
        const QUrl maker = WebLinks::Address(WebLinks::Site::ClientMaker);
        const QUrl author = WebLinks::Address(WebLinks::Site::AuthorHome);
        QCOMPARE(browser.opened, (QList<QUrl>{maker, author}));
        QVERIFY(maker.isValid() && author.isValid() && maker != author);
        QVERIFY(m_prompts.messages.isEmpty());
    }

    void aboutShowsThisBuild()
    {
        App().InitInstance({});
        bool seen = false;
        const CAboutBox thisBuild(CVersionInfo::ThisProgram());
        OnNextDialog<CAboutBox>(this, [&thisBuild](CAboutBox *box) {
            const QString versionLine = QStringLiteral("versionLine");
            QCOMPARE(box->findChild<QLabel *>(versionLine)->text(), thisBuild.findChild<QLabel *>(versionLine)->text());
        }, &seen);
        QVERIFY(Trigger(CommandId::AppAbout));
        QVERIFY(seen);
    }

    // Print and Print Setup show the one print dialog: "Print to file"
    // proposes the document's name with ".pdf" in its folder, and what the
    // dialog chose is what the next job uses. The PDF carries the title.
    void printDialogProposesAndKeepsTheChoice_data()
    {
        QTest::addColumn<CommandId>("id");
        QTest::newRow("print") << CommandId::FilePrint;
        QTest::newRow("print setup, then print") << CommandId::FilePrintSetup;
    }
    void printDialogProposesAndKeepsTheChoice()
    {
        QFETCH(CommandId, id);
        if (!QPrinterInfo::availablePrinters().isEmpty())
            QSKIP("this machine has printers: the dialog would choose one");
        const QString path = m_dir.filePath(QStringLiteral("4.ldx")), pdf = m_dir.filePath(QStringLiteral("4.pdf"));
        QVERIFY(LdxFile::Save(path, SampleList(4), nullptr) && (!QFile::exists(pdf) || QFile::remove(pdf)));
        QCOMPARE(App().InitInstance({path}), CLodexApp::kRunEventLoop);
        bool seen = false;
        OnNextDialog<QPrintDialog>(this, [&](QPrintDialog *dialog) {
            QCOMPARE(dialog->findChild<QLineEdit *>(QStringLiteral("filename"))->text(), QDir::toNativeSeparators(pdf));
            if (id == CommandId::FilePrintSetup)
                QCOMPARE(dialog->windowTitle(), QStringLiteral("Print Setup"));
            dialog->accept();
        }, &seen);
        QVERIFY(Trigger(id));
        QVERIFY(seen);
        if (id == CommandId::FilePrintSetup) {
            QVERIFY(!QFile::exists(pdf));
            QVERIFY(Trigger(CommandId::FilePrintDirect));
        }
        QCOMPARE(PdfInfo(pdf, QStringLiteral("Title")), QStringLiteral("4.ldx"));
        QVERIFY(m_prompts.messages.isEmpty());
    }

    // The printout follows the list as sorted, under the document's title.
    void printsTheListInItsCurrentOrder()
    {
        ReflectorList list;
        for (const char *name : {"Delta", "alpha", "Charlie", "bravo"})
            list.push_back(RawRecord("France", "FR", name, "S", name));
        const QString path = m_dir.filePath(QStringLiteral("four.ldx"));
        QVERIFY(LdxFile::Save(path, list, nullptr));
        QCOMPARE(App().InitInstance({path}), CLodexApp::kRunEventLoop);
        Frame().View()->sortByColumn(CReflector::ColFullName, Qt::AscendingOrder);

        const QString pdf = m_dir.filePath(QStringLiteral("sorted.pdf"));
        PrintToFileInSetup(pdf);
        QVERIFY(Trigger(CommandId::FilePrintDirect));

        const QStringList lines = PdfPageLines(pdf, 1);
        QCOMPARE(lines.value(0), QStringLiteral("four.ldx Page 1/1"));
        QCOMPARE(lines.value(1), QStringLiteral("1 - alpha [S], France (FR)"));
        QCOMPARE(lines.value(3), QStringLiteral("2 - bravo [S], France (FR)"));
        QCOMPARE(lines.value(7), QStringLiteral("4 - Delta [S], France (FR)"));
        QVERIFY(m_prompts.messages.isEmpty());
    }

    void printFailureIsReported()
    {
        App().InitInstance({});
        PrintToFileInSetup(m_dir.filePath(QStringLiteral("no/such/folder/out.pdf")));
        QVERIFY(Trigger(CommandId::FilePrintDirect));
        QCOMPARE(m_prompts.messages.size(), 1);
    }

    void previewPagesSetting_data()
    {
        using C = CPrintPreviewDialog;
        QTest::addColumn<QVariant>("stored");   // invalid: none stored
        QTest::addColumn<bool>("facingShown");
        QTest::addColumn<int>("switchTo");      // a command of the preview, kNoSwitch or kNoPreview
        QTest::addColumn<QVariant>("written");  // invalid: none at exit
        QTest::newRow("never previewed") << QVariant() << false << kNoPreview << QVariant();
        QTest::newRow("first preview") << QVariant() << false << kNoSwitch << QVariant(1);
        QTest::newRow("two pages kept") << QVariant(2) << true << kNoSwitch << QVariant(2);
        QTest::newRow("changed to two") << QVariant(1) << false << int(C::TwoPages) << QVariant(2);
        QTest::newRow("changed to one") << QVariant(2) << true << int(C::SinglePage) << QVariant(1);
        // Only 1 and 2 are kept; anything else is as if never previewed.
        QTest::newRow("0 dropped") << QVariant(0) << false << kNoPreview << QVariant();
        QTest::newRow("3 dropped") << QVariant(3) << false << kNoPreview << QVariant();
        QTest::newRow("-1 dropped") << QVariant(-1) << false << kNoPreview << QVariant();
    }
    void previewPagesSetting()
    {
        QFETCH(QVariant, stored);
        QFETCH(bool, facingShown);
        QFETCH(int, switchTo);
        QFETCH(QVariant, written);
        const QString key = QStringLiteral("Settings/PreviewPages");
        if (stored.isValid())
            CSettingsStore().setValue(key, stored);

        App().InitInstance({kSample});
        if (switchTo != kNoPreview) {
            bool seen = false;
            OnNextDialog<CPrintPreviewDialog>(this, [&](CPrintPreviewDialog *dialog) {
                const CPreviewPages &pages = dialog->Pages();
                QCOMPARE(pages.PageLayout() == CPreviewPages::Layout::TwoPages, facingShown);
                QCOMPARE(pages.PageCount(), 1);
                if (switchTo != kNoSwitch)
                    dialog->Action(CPrintPreviewDialog::Command(switchTo))->trigger();
            }, &seen);
            QVERIFY(Trigger(CommandId::FilePrintPreview));
            QVERIFY(seen);
        }
        App().ExitInstance();
        QCOMPARE(CSettingsStore().value(key), written);
    }

    void commandLine_data()
    {
        QTest::addColumn<QStringList>("arguments"); // "OUT" stands for the PDF's path
        QTest::addColumn<bool>("printed");
        QTest::newRow("port names a pdf") << QStringList{"/pt", kSample, "x", "x", "OUT"} << true;
        QTest::newRow("printer names a pdf") << QStringList{"-pt", kSample, "OUT", "driver", "lp0"} << true;
        QTest::newRow("unknown printer") << QStringList{"/pt", kSample, "No Such Printer", "driver", "lp0"} << false;
        QTest::newRow("unreadable list") << QStringList{"/pt", "missing.ldx", "x", "x", "OUT"} << false;
        QTest::newRow("no default printer") << QStringList{"/p", kSample} << false;
    }
    void commandLine()
    {
        QFETCH(QStringList, arguments);
        QFETCH(bool, printed);
        if (arguments[0] == "/p" && !QPrinterInfo::defaultPrinter().isNull())
            QSKIP("this machine has a default printer");
        const QString pdf = m_dir.filePath(QStringLiteral("cmdline.pdf"));
        QFile::remove(pdf);
        arguments.replaceInStrings(QStringLiteral("OUT"), pdf);

        QCOMPARE(App().InitInstance(arguments), printed ? 0 : CLodexApp::kExitFailure);
        QCOMPARE(App().MainFrame(), nullptr);
        QCOMPARE(QFile::exists(pdf), printed);
        if (printed)
            QCOMPARE(PdfPageLines(pdf, 1).value(0), QStringLiteral("sample.ldx Page 1/1"));
    }

    // The program itself, as a script or the desktop's "print" action runs
    // it, where there may be no display at all. A missing argument is named.
    void commandLineThroughTheProgram_data()
    {
        QTest::addColumn<QStringList>("arguments"); // "OUT" stands for the PDF's name
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("message");
        QTest::newRow("into a pdf") << QStringList{"/pt", kSample, "x", "x", "OUT"} << 0 << "";
        QTest::newRow("unknown printer") << QStringList{"/pt", kSample, "Nope", "x", "lp0"} << 1
                                         << "lodex: There is no printer named 'Nope'.";
        QTest::newRow("no printer") << QStringList{"/pt", kSample} << 1 << "lodex: /pt needs PRINTER\n\nUsage: lodex";
        QTest::newRow("no port") << QStringList{"-PT", kSample, "x", "x"} << 1 << "lodex: -PT needs PORT";
        QTest::newRow("no file") << QStringList{"-p"} << 1 << "lodex: -p needs FILE.ldx";
    }
    void commandLineThroughTheProgram()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, status);
        QFETCH(QString, message);
        const QString pdf = m_dir.filePath(QStringLiteral("program.pdf"));
        QFile::remove(pdf);
        arguments.replaceInStrings(QStringLiteral("OUT"), QStringLiteral("program.pdf"));
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            environment.remove(QLatin1String(name));
        QProcess lodex;
        lodex.setProcessEnvironment(environment);
        lodex.setWorkingDirectory(m_dir.path());
        lodex.start(QStringLiteral(LODEX_BIN_DIR "/lodex"), arguments);
        QVERIFY(lodex.waitForFinished(60000));
        const QString errors = QString::fromLocal8Bit(lodex.readAllStandardError());
        QCOMPARE(lodex.exitCode(), status);
        QVERIFY2(errors.contains(message), qPrintable(errors));
        QCOMPARE(QFile::exists(pdf), status == 0);
        if (status == 0) {
            QCOMPARE(PdfPageCount(pdf), 1);
            QCOMPARE(PdfPageLines(pdf, 1).value(1), QStringLiteral("1 - Paris Video Commons [Paris], France (FR)"));
            QCOMPARE(PdfInfo(pdf, QStringLiteral("Title")), QStringLiteral("sample.ldx"));
        }
    }
};

LODEX_TEST(PrintAndHelpCommandsTest)
#include "tst_printandhelp.moc"

// The program in German, as a user whose language it is meets it: Lodex's
// own texts and Qt's. CTest runs this class alone with LC_ALL=de_DE.UTF-8
// (tst_app_german); in the English run it skips.
#include "app/lodexapp.h"
#include "app/mainframe.h"
#include "data/ldxfile.h"
#include "support/appfixture.h"
#include "support/modalwatch.h"
#include "support/testmain.h"
#include "support/testutil.h"
#include "view/lodexview.h"

#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

class GermanTest : public QObject, AppFixture
{
    Q_OBJECT

private slots:
    void init() { BeginTest(); }
    void cleanup() { EndTest(); }

    // The menus, the caption and a question are Lodex's; the names of keys
    // and the answers are Qt's.
    void menusAndMessages()
    {
        // A skip in initTestCase() would skip the other classes as well.
        if (QLocale::system().language() != QLocale::German)
            QSKIP("runs with LC_ALL=de_DE.UTF-8 (tst_app_german)");
        QTemporaryDir dir;
        QVERIFY(LdxFile::Save(dir.filePath(QStringLiteral("three.ldx")), SampleList(3), nullptr));
        QCOMPARE(App().InitInstance({dir.filePath(QStringLiteral("three.ldx"))}), CLodexApp::kRunEventLoop);
        QStringList titles;
        for (const QAction *menu : Frame().menuBar()->actions())
            titles << menu->text();
        QCOMPARE(titles, QStringList({"&Datei", "&Bearbeiten", "&Ansicht", "&Hilfe"}));
        const QAction *fileNew = Frame().Action(CommandId::FileNew);
        QCOMPARE(fileNew->text() + u' ' + fileNew->shortcut().toString(QKeySequence::NativeText), "&Neu Strg+N");
        QCOMPARE(View().model()->headerData(CReflector::ColIPAddress, Qt::Horizontal).toString(), "IP-Adresse");

        App().SetPrompts(nullptr); // the real message boxes
        View().selectRow(0);
        QString shown;
        WhenShown<QMessageBox>([&shown](QMessageBox *box) {
            shown = box->text() + u' ' + box->button(QMessageBox::Yes)->text();
            box->button(QMessageBox::No)->click();
        });
        QVERIFY(Trigger(CommandId::ReflectorDelete));
        QCOMPARE(shown, "Wollen Sie die ausgewählten Reflektoren wirklich endgültig entfernen? &Ja");
    }
};

LODEX_TEST(GermanTest)
#include "tst_german.moc"

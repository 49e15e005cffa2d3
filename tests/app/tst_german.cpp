// The program in German, as a user whose language it is meets it: Lodex's
// own texts and Qt's. CTest runs this class alone with LC_ALL=de_DE.UTF-8
// (tst_app_german); in the English run it skips.
#include "app/commandactions.h"
#include "app/lodexapp.h"
#include "app/mainframe.h"
#include "data/ldxfile.h"
#include "data/lodexdoc.h"
#include "support/appfixture.h"
#include "support/modalwatch.h"
#include "support/testmain.h"
#include "support/testutil.h"
#include "view/lodexview.h"

#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

class GermanTest : public QObject, AppFixture
{
    Q_OBJECT

    // A skip in initTestCase() would end the other classes' tests as well.
    static bool InGerman() { return QLocale::system().language() == QLocale::German; }

private slots:
    void init() { BeginTest(); }
    void cleanup() { EndTest(); }

    void menusAndCaption()
    {
        if (!InGerman())
            QSKIP("runs with LC_ALL=de_DE.UTF-8 (tst_app_german)");
        QCOMPARE(App().InitInstance({}), CLodexApp::kRunEventLoop);
        QStringList titles;
        for (const QAction *menu : Frame().menuBar()->actions())
            titles << menu->text();
        QCOMPARE(titles, QStringList({"&Datei", "&Bearbeiten", "&Ansicht", "&Hilfe"}));
        const QAction *fileNew = Frame().Action(CommandId::FileNew);
        QCOMPARE(fileNew->text(), QStringLiteral("&Neu"));
        QCOMPARE(fileNew->statusTip(), QStringLiteral("Ein neues Dokument anlegen"));
        // The key's name is Qt's, in the menu's language.
        QCOMPARE(fileNew->shortcut().toString(QKeySequence::NativeText), QStringLiteral("Strg+N"));
        QCOMPARE(Frame().windowTitle(), QStringLiteral("Reflektor - Lodex"));
        QCOMPARE(View().model()->headerData(CReflector::ColIPAddress, Qt::Horizontal).toString(),
                 QStringLiteral("IP-Adresse"));
    }

    // The question is Lodex's, its buttons Qt's.
    void messageBox()
    {
        if (!InGerman())
            QSKIP("runs with LC_ALL=de_DE.UTF-8 (tst_app_german)");
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("three.ldx"));
        QVERIFY(LdxFile::Save(path, SampleList(3), nullptr));
        QCOMPARE(App().InitInstance({path}), CLodexApp::kRunEventLoop);
        App().SetPrompts(nullptr); // the real message boxes
        View().selectRow(0);
        QString question, yes;
        WhenShown<QMessageBox>([&](QMessageBox *box) {
            question = box->text();
            yes = box->button(QMessageBox::Yes)->text();
            box->button(QMessageBox::No)->click();
        });
        QVERIFY(Frame().CommandActions().Trigger(CommandId::ReflectorDelete));
        QCOMPARE(question, QStringLiteral("Wollen Sie die ausgewählten Reflektoren wirklich endgültig entfernen?"));
        QCOMPARE(yes, QStringLiteral("&Ja"));
        QCOMPARE(Doc().m_listReflectors.size(), std::size_t(3));
    }
};

LODEX_TEST(GermanTest)
#include "tst_german.moc"

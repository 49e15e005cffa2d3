#include "support/testmain.h"
#include "view/finddialog.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

class FindDialogTest : public QObject
{
    Q_OBJECT

private slots:
    void startsEmptyAndHoldsAtMost127Characters()
    {
        CFindDialog dialog;
        auto *text = dialog.findChild<QLineEdit *>(QStringLiteral("findText"));
        QVERIFY(text);
        QCOMPARE(dialog.FindText(), QString());
        QVERIFY(!dialog.MatchWholeWord());
        QVERIFY(!dialog.isModal());
        QTest::keyClicks(text, QString(200, u'x'));
        QCOMPARE(dialog.FindText().size(), 127);
    }

    void findNextReportsTextAndWholeWord()
    {
        CFindDialog dialog;
        auto *findNext = dialog.findChild<QPushButton *>(QStringLiteral("findNext"));
        QVERIFY(findNext);
        QVERIFY(!findNext->isEnabled());
        QSignalSpy spy(&dialog, &CFindDialog::findNext);
        dialog.findChild<QLineEdit *>(QStringLiteral("findText"))->setText(QStringLiteral(" lab"));
        QVERIFY(findNext->isEnabled());
        findNext->click();
        dialog.findChild<QCheckBox *>(QStringLiteral("matchWholeWord"))->setChecked(true);
        findNext->click();
        QCOMPARE(spy.size(), 2);
        QCOMPARE(spy[0], (QVariantList{QStringLiteral(" lab"), false}));
        QCOMPARE(spy[1], (QVariantList{QStringLiteral(" lab"), true}));
    }

    void closingDeletesTheDialog_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("Cancel") << QStringLiteral("cancel");
        QTest::newRow("Escape") << QStringLiteral("escape");
        QTest::newRow("window closed") << QStringLiteral("close");
    }
    void closingDeletesTheDialog()
    {
        QFETCH(QString, how);
        QPointer<CFindDialog> dialog = new CFindDialog;
        dialog->show();
        if (how == QLatin1String("cancel"))
            dialog->findChild<QPushButton *>(QStringLiteral("cancel"))->click();
        else if (how == QLatin1String("escape"))
            QTest::keyClick(dialog.data(), Qt::Key_Escape);
        else
            dialog->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(dialog.isNull());
    }
};

LODEX_TEST(FindDialogTest)
#include "tst_finddialog.moc"

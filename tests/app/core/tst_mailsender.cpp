// File > Send as the mail client sees it: the file it is handed.
#include "app/core/mailsender.h"
#include "data/ldxfile.h"
#include "data/lodexdoc.h"
#include "support/fakes.h"
#include "support/testmain.h"
#include "support/testutil.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

class MailSenderTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    // What is attached holds the list as shown: the document's own file
    // only when that file is the list.
    void attachesTheListAsShown_data()
    {
        QTest::addColumn<bool>("saved");
        QTest::addColumn<bool>("modified");
        QTest::addColumn<bool>("ownFile");
        QTest::newRow("never saved") << false << true << false;
        QTest::newRow("saved, then changed") << true << true << false;
        QTest::newRow("saved, unchanged") << true << false << true;
    }
    void attachesTheListAsShown()
    {
        QFETCH(bool, saved);
        QFETCH(bool, modified);
        QFETCH(bool, ownFile);
        FakeView view;
        FakePrompts prompts;
        CLodexDoc doc;
        doc.m_pView = &view;
        doc.m_pPrompts = &prompts;
        doc.OnNewDocument();
        const QString path = m_dir.filePath(QStringLiteral("sent.ldx"));
        if (saved) {
            QVERIFY(LdxFile::Save(path, SampleList(2), nullptr));
            doc.OnOpenDocument(path);
            doc.SetPathName(path);
        }
        if (modified) {
            doc.m_listReflectors = SampleList(3);
            doc.SetModifiedFlag(true);
        }

        // The stand-in mail client writes down the file it was given.
        const QString handed = m_dir.filePath(QStringLiteral("handed"));
        QFile::remove(handed);
        const QString client = m_dir.filePath(QStringLiteral("mail-client"));
        QVERIFY(WriteAll(client, "#!/bin/sh\nprintf %s \"$2\" > '" + handed.toUtf8() + "'\n"));
        QVERIFY(QFile::setPermissions(client, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        CMailSender sender;
        sender.SetPrograms(client, QStringLiteral("true"));
        QVERIFY(sender.Send(doc, prompts));
        QTRY_VERIFY(QFile::exists(handed) && QFileInfo(handed).size() > 0);

        QFile file(handed);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString attachment = QString::fromUtf8(file.readAll());
        QCOMPARE(attachment == path, ownFile);
        ReflectorList sent;
        QCOMPARE(LdxFile::Load(attachment, sent, nullptr), LdxFile::LoadResult::Loaded);
        QCOMPARE(sent.size(), doc.m_listReflectors.size());
        QCOMPARE(doc.IsModified(), modified);
    }
};

LODEX_TEST(MailSenderTest)
#include "tst_mailsender.moc"

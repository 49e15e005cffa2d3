#include "support/testmain.h"
#include "support/testutil.h"
#include "view/core/connectionfile.h"
#include "view/core/dragfolders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

class DragFoldersTest : public QObject
{
    Q_OBJECT

private slots:
    void writesOneFilePerRecordInsideItsFolder()
    {
        QTemporaryDir base;
        CDragFolders folders(base.path());
        ReflectorList list;
        list.push_back(RawRecord("", "", "../escape", "", "10.0.0.1", "", "", "1"));
        list.push_back(RawRecord("", "", ".hidden", "", "10.0.0.2", "", "", "2"));
        list.push_back(RawRecord("", "", "../escape", "", "10.0.0.3", "", "", "3"));
        const QStringList paths = folders.WriteDragFiles(RecordPointers(list));
        QCOMPARE(paths.size(), 3);
        const QString folder = QFileInfo(paths[0]).absolutePath();
        QVERIFY(folder.startsWith(folders.RunFolder() + u'/'));
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(QFileInfo(paths[i]).absolutePath(), folder);
            QVERIFY(!QFileInfo(paths[i]).fileName().startsWith(u'.'));
            QCOMPARE(ReadAll(paths[i]), ConnectionFile(*list[std::size_t(i)]));
        }
        QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden).size(), 3);
        QCOMPARE(QDir(base.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 QStringList{QString::number(QCoreApplication::applicationPid())});
        // Other users must not read what the user drags.
        QCOMPARE(QFileInfo(folder).permissions() & (QFile::ReadOther | QFile::ReadGroup), QFile::Permissions());
    }

    void nextDragRemovesTheEarlierOneAndTheEndRemovesAll()
    {
        QTemporaryDir base;
        const ReflectorList list = SampleList(2);
        QString runFolder;
        QStringList first;
        {
            CDragFolders folders(base.path());
            runFolder = folders.RunFolder();
            first = folders.WriteDragFiles(RecordPointers(list));
            QVERIFY(QFile::exists(first[0]));
            const QStringList second = folders.WriteDragFiles(RecordPointers(list));
            QCOMPARE(second.size(), 2);
            QVERIFY(QFile::exists(second[1]));
            QVERIFY(!QFileInfo::exists(QFileInfo(first[0]).absolutePath()));
            QCOMPARE(QDir(runFolder).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size(), 1);
        }
        QVERIFY(!QFileInfo::exists(runFolder));
    }

    void sweepRemovesOnlyFoldersOfEndedRuns()
    {
        QTemporaryDir base;
        QDir dir(base.path());
        const QString own = QString::number(QCoreApplication::applicationPid());
        // pid 1 always runs; 999999999 is beyond any pid the kernel gives.
        for (const QString &name : {own, QStringLiteral("1"), QStringLiteral("999999999"), QStringLiteral("notes")}) {
            QVERIFY(dir.mkpath(name + QStringLiteral("/1")));
            QVERIFY(WriteAll(dir.filePath(name + QStringLiteral("/1/x.cu")), "x"));
        }
        CDragFolders folders(base.path());
        folders.SweepLeftovers();
        QStringList left = dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
        left.sort();
        QStringList expected{own, QStringLiteral("1"), QStringLiteral("notes")};
        expected.sort();
        QCOMPARE(left, expected);
    }

    void withoutAPrivateFolderTheCurrentFolderIsLeftAlone_data()
    {
        QTest::addColumn<QString>("base");
        QTest::newRow("no folder") << QString();
        QTest::newRow("relative folder") << QStringLiteral("lodex-drag");
    }
    void withoutAPrivateFolderTheCurrentFolderIsLeftAlone()
    {
        QFETCH(QString, base);
        // The user's own folder named like the run of an ended process.
        QTemporaryDir current;
        QVERIFY(WriteAll(current.filePath(QStringLiteral("999999999/notes.txt")), "mine"));
        const FolderTree before = SnapshotTree(current.path());
        const QString previousCurrent = QDir::currentPath();
        QVERIFY(QDir::setCurrent(current.path()));
        QStringList paths;
        {
            CDragFolders folders(base);
            folders.SweepLeftovers();
            const ReflectorList list = SampleList(1);
            paths = folders.WriteDragFiles(RecordPointers(list));
        }
        QDir::setCurrent(previousCurrent);
        QCOMPARE(paths, QStringList());
        QCOMPARE(SnapshotTree(current.path()), before);
    }

    void unwritableBaseGivesNoFiles()
    {
        QTemporaryDir base;
        const QString blocker = QDir(base.path()).filePath(QStringLiteral("file"));
        QVERIFY(WriteAll(blocker, "not a folder"));
        CDragFolders folders(blocker);
        const ReflectorList list = SampleList(1);
        QCOMPARE(folders.WriteDragFiles(RecordPointers(list)), QStringList());
        QCOMPARE(ReadAll(blocker), QByteArray("not a folder"));
    }
};

LODEX_TEST(DragFoldersTest)
#include "tst_dragfolders.moc"

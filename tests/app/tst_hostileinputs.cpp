// Files that are not what they claim to be, and files too large for the
// memory there is: opening them is refused at once with a message, and the
// document the user is working on stays as it was.
#include "data/ldxfile.h"
#include "data/lodexdoc.h"
#include "support/appfixture.h"
#include "support/testmain.h"
#include "support/testutil.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The address space this process has mapped now, in bytes.
rlim_t MappedNow()
{
    QFile status(QStringLiteral("/proc/self/statm"));
    status.open(QIODevice::ReadOnly);
    return rlim_t(status.readAll().split(' ').value(0).toULongLong()) * rlim_t(getpagesize());
}

// A database of `count` records, made without holding them: a list of two
// written once, then its second record over and over. (Records held and
// freed would leave their memory mapped for the load to reuse.)
QByteArray ManyRecords(quint32 count)
{
    QBuffer two;
    two.open(QIODevice::WriteOnly);
    LdxFile::Write(SampleList(2), two);
    const QByteArray bytes = two.data();
    const qsizetype second = bytes.lastIndexOf(Hex("0180")); // the tag before the second record
    QByteArray file = Hex("FFFF") + QByteArray(reinterpret_cast<const char *>(&count), 4);
    file += bytes.mid(2, second - 2);
    const QByteArray record = bytes.mid(second);
    file.reserve(file.size() + record.size() * count);
    for (quint32 i = 1; i < count; ++i)
        file += record;
    return file;
}

} // namespace

class HostileInputsTest : public QObject
{
    Q_OBJECT

private slots:
    void openRefusesAndKeepsTheDocument_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("reason");
        QTest::newRow("FIFO") << "fifo" << "not a regular file";
        QTest::newRow("link to /dev/zero") << "device" << "not a regular file";
        QTest::newRow("folder") << "folder" << "not a regular file";
        QTest::newRow("too large for the memory left") << "large" << "not enough memory";
    }
    void openRefusesAndKeepsTheDocument()
    {
        QFETCH(QString, kind);
        QFETCH(QString, reason);
        if (kind == QLatin1String("large") && UnderAddressSanitizer())
            QSKIP("the sanitizer's shadow memory needs an unlimited address space");
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("list.ldx"));
        if (kind == QLatin1String("fifo"))
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        else if (kind == QLatin1String("device"))
            QVERIFY(QFile::link(QStringLiteral("/dev/zero"), path));
        else if (kind == QLatin1String("folder"))
            QVERIFY(QDir().mkpath(path));
        else
            QVERIFY(WriteAll(path, ManyRecords(600000)));

        DocumentFilesFixture f;
        f.doc.m_listReflectors = SampleList(3);
        f.doc.SetModifiedFlag(true);
        f.prompts.answers << CUserPrompts::IdNo; // keep the edits unsaved

        OpenResult outcome;
        if (kind == QLatin1String("large")) {
            rlimit previous{};
            getrlimit(RLIMIT_AS, &previous);
            rlimit tight = previous;
            tight.rlim_cur = MappedNow() + (48 << 20);
            setrlimit(RLIMIT_AS, &tight);
            outcome = f.files.OpenDocumentFile(path);
            setrlimit(RLIMIT_AS, &previous);
        } else {
            outcome = f.files.OpenDocumentFile(path);
        }
        QVERIFY(outcome != OpenResult::Opened);
        QCOMPARE(f.prompts.messages.size(), 2); // the save prompt, then why
        QVERIFY2(f.prompts.messages[1].contains(reason), qPrintable(f.prompts.messages[1]));
        QVERIFY(f.prompts.messages[1].contains(path));
        QCOMPARE(f.doc.m_listReflectors.size(), std::size_t(3));
        QVERIFY(f.doc.IsModified());
    }
};

LODEX_TEST(HostileInputsTest)
#include "tst_hostileinputs.moc"

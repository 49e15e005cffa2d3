#include "base/runtimefolder.h"
#include "support/testmain.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const passwd *Nobody()
{
    return ::geteuid() == 0 ? ::getpwnam("nobody") : nullptr;
}

// Puts at `path` a folder as `kind` describes: "private", "mode 0755",
// "mode 0777", "owned by nobody", "symbolic link" (to a private folder),
// or nothing for "missing".
void Make(const QString &path, const QString &kind)
{
    if (kind == QLatin1String("missing"))
        return;
    const QByteArray name = QFile::encodeName(path);
    if (kind == QLatin1String("symbolic link")) {
        const QByteArray target = name + ".target";
        QCOMPARE(::mkdir(target.constData(), 0700), 0);
        QCOMPARE(::symlink(target.constData(), name.constData()), 0);
        return;
    }
    QCOMPARE(::mkdir(name.constData(), 0700), 0);
    const mode_t mode = kind == QLatin1String("mode 0755") ? 0755 : kind == QLatin1String("mode 0777") ? 0777 : 0700;
    QCOMPARE(::chmod(name.constData(), mode), 0);
    if (kind == QLatin1String("owned by nobody"))
        QCOMPARE(::chown(name.constData(), Nobody()->pw_uid, Nobody()->pw_gid), 0);
}

} // namespace

class RuntimeFolderTest : public QObject
{
    Q_OBJECT

private slots:
    void onlyAPrivateFolderIsTaken_data()
    {
        QTest::addColumn<QString>("runtime"); // a kind for Make, "relative" or "unset"
        QTest::addColumn<QString>("found");   // what is already where the fallback goes
        QTest::addColumn<QString>("taken");   // "runtime", "fallback" or "" for none
        QTest::newRow("private runtime folder") << "private" << "missing" << "runtime";
        QTest::newRow("runtime folder with mode 0755") << "mode 0755" << "missing" << "fallback";
        QTest::newRow("runtime folder a symbolic link") << "symbolic link" << "missing" << "fallback";
        QTest::newRow("runtime folder owned by nobody") << "owned by nobody" << "missing" << "fallback";
        QTest::newRow("runtime folder relative") << "relative" << "missing" << "fallback";
        QTest::newRow("runtime folder unset") << "unset" << "missing" << "fallback";
        QTest::newRow("fallback already there") << "unset" << "private" << "fallback";
        QTest::newRow("fallback a symbolic link") << "unset" << "symbolic link" << "";
        QTest::newRow("fallback with mode 0777") << "unset" << "mode 0777" << "";
        QTest::newRow("fallback owned by nobody") << "unset" << "owned by nobody" << "";
    }
    void onlyAPrivateFolderIsTaken()
    {
        QFETCH(QString, runtime);
        QFETCH(QString, found);
        QFETCH(QString, taken);
        if ((runtime == QLatin1String("owned by nobody") || found == QLatin1String("owned by nobody")) && !Nobody())
            QSKIP("giving a folder to nobody needs root");
        QTemporaryDir root;
        const QString base = root.filePath(QStringLiteral("tmp"));
        QVERIFY(QDir().mkdir(base));
        const QString fallback = QDir(base).filePath(QStringLiteral("lodex-%1").arg(::geteuid()));
        Make(fallback, found);

        // A relative name is refused even where it names a private folder.
        const QString previousCurrent = QDir::currentPath();
        QVERIFY(QDir::setCurrent(root.path()));
        QString given;
        if (runtime == QLatin1String("relative")) {
            given = QStringLiteral("run");
            Make(root.filePath(given), QStringLiteral("private"));
        } else if (runtime != QLatin1String("unset")) {
            given = root.filePath(QStringLiteral("run"));
            Make(given, runtime);
        }
        const QString folder = PrivateRuntimeFolder(given, base);
        QDir::setCurrent(previousCurrent);

        const QString expected = taken == QLatin1String("runtime")    ? given
                                 : taken == QLatin1String("fallback") ? fallback
                                                                      : QString();
        QCOMPARE(folder, expected);
    }
};

LODEX_TEST(RuntimeFolderTest)
#include "tst_runtimefolder.moc"

#include "support/testmain.h"

#include <QDir>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <QCoreApplication>

#include <cstring>
#include <memory>

std::vector<TestClassEntry> &TestClasses()
{
    static std::vector<TestClassEntry> classes;
    return classes;
}

// Provided by the suite: a QApplication for GUI suites, else QCoreApplication.
std::unique_ptr<QCoreApplication> MakeTestApplication(int &argc, char **argv);

int main(int argc, char *argv[])
{
    // Never touch the user's own settings, data, caches or runtime files.
    QTemporaryDir home;
    qputenv("XDG_RUNTIME_DIR", home.path().toLocal8Bit()); // private (0700), as the runtime folder must be
    qputenv("XDG_CONFIG_HOME", QDir(home.path()).filePath(QStringLiteral("config")).toLocal8Bit());
    qputenv("XDG_DATA_HOME", QDir(home.path()).filePath(QStringLiteral("data")).toLocal8Bit());
    qputenv("XDG_CACHE_HOME", QDir(home.path()).filePath(QStringLiteral("cache")).toLocal8Bit());
    // The runtime folder holds the single-instance socket; the temporary
    // folder is the user's own with mode 0700, as the runtime folder must be.
    qputenv("XDG_RUNTIME_DIR", home.path().toLocal8Bit());
    // Test mode keeps its folders under ~/.qttest: a home of our own keeps
    // two suites running at once out of each other's copies and journals.
    qputenv("HOME", home.path().toLocal8Bit());
    QStandardPaths::setTestModeEnabled(true);

    // Leading arguments naming test classes select them; the rest go to QTest.
    std::vector<const char *> selected;
    int first = 1;
    while (first < argc && argv[first][0] != '-') {
        bool isClass = false;
        for (const auto &entry : TestClasses())
            isClass = isClass || std::strcmp(entry.name, argv[first]) == 0;
        if (!isClass)
            break;
        selected.push_back(argv[first++]);
    }
    std::vector<char *> rest{argv[0]};
    for (int i = first; i < argc; ++i)
        rest.push_back(argv[i]);
    int restCount = int(rest.size());

    auto app = MakeTestApplication(argc, argv);
    int failures = 0;
    for (const auto &entry : TestClasses()) {
        bool run = selected.empty();
        for (const char *name : selected)
            run = run || std::strcmp(name, entry.name) == 0;
        if (!run)
            continue;
        std::unique_ptr<QObject> test(entry.make());
        failures += QTest::qExec(test.get(), restCount, rest.data());
    }
    return failures == 0 ? 0 : 1;
}

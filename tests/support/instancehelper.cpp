// lodex-instance-helper RUNTIME_FOLDER [PATH]
// A stand-in for a Lodex start, for the single-instance tests: with PATH it
// hands PATH on like "lodex /dde PATH"; when no instance takes it (or
// without PATH) it becomes the instance and prints each request it gets,
// until its standard input closes.
#include "app/singleinstance.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <cstdio>
#include <unistd.h>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2 || args.size() > 3) {
        std::fprintf(stderr, "Usage: lodex-instance-helper RUNTIME_FOLDER [PATH]\n");
        return 2;
    }
    CSingleInstance instance(args[1]);
    OpenRequest request{args.value(2), qgetenv("XDG_ACTIVATION_TOKEN")};
    const auto outcome = instance.Start(args.size() == 3 ? &request : nullptr);
    if (outcome == CSingleInstance::Outcome::Forwarded) {
        std::printf("forwarded\n");
        return 0;
    }
    if (outcome == CSingleInstance::Outcome::Alone) {
        std::printf("alone\n");
        return 1;
    }
    QObject::connect(&instance, &CSingleInstance::openRequested, [](const QString &path, const QByteArray &token) {
        std::printf("open %s %s\n", qPrintable(path), token.constData());
        std::fflush(stdout);
    });
    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, [&] {
        char byte;
        if (read(STDIN_FILENO, &byte, 1) <= 0)
            app.quit();
    });
    std::printf("listening\n");
    std::fflush(stdout);
    return app.exec();
}

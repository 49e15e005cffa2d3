#pragma once

#include <QByteArray>
#include <QProcess>
#include <QStringList>

// One run of lodex-cli with the given arguments and standard input,
// started through `launcher` (a command that runs the rest) when given.
struct Run {
    int status = -1;
    QByteArray out;
    QByteArray err;
};

inline Run Cli(const QStringList &args, const QByteArray &input = QByteArray(), const QStringList &launcher = {})
{
    QProcess process;
    const QString cli = QStringLiteral(LODEX_BIN_DIR "/lodex-cli");
    if (launcher.isEmpty())
        process.start(cli, args);
    else
        process.start(launcher[0], launcher.mid(1) + QStringList{cli} + args);
    process.waitForStarted();
    process.write(input);
    process.closeWriteChannel();
    process.waitForFinished(60000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardOutput(), process.readAllStandardError()};
}

#pragma once

#include <QByteArray>
#include <QProcess>
#include <QStringList>

// One run of lodex-cli with the given arguments and standard input.
struct Run {
    int status = -1;
    QByteArray out;
    QByteArray err;
};

inline Run Cli(const QStringList &args, const QByteArray &input = QByteArray())
{
    QProcess process;
    process.start(QStringLiteral(LODEX_BIN_DIR "/lodex-cli"), args);
    process.waitForStarted();
    process.write(input);
    process.closeWriteChannel();
    process.waitForFinished(60000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardOutput(), process.readAllStandardError()};
}

#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringList>

#include <cstdio>

// A subcommand of lodex-cli. Output goes to stdout only on success; any
// failure is one line on stderr naming the file and the problem, exit 2.
struct CliSubcommand {
    const char *name;
    const char *usage;   // arguments, for --help
    const char *summary; // one line, for --help
    int (*run)(const QStringList &args);
};

// Every subcommand, in the order --help lists them.
const CliSubcommand *CliSubcommands();

namespace Cli {
constexpr int kFailure = 2;

// Prints "lodex-cli: FILE: PROBLEM" and answers kFailure.
int Fail(const QString &file, const QString &problem);
// Prints the usage of the named command and answers kFailure.
int Usage(const char *subcommandName);
// Writes bytes to stdout. Answers 0, or kFailure after saying that stdout
// could not take them.
int Print(QByteArrayView bytes);
// Says that stdout could not take the output; answers kFailure.
int OutputFailed();
// Splits `args` into files and the value of `option` ("--now"), which may
// come once, anywhere, followed by its value (a null string when it does
// not come). False on any other option, or that one repeated or without
// its value.
bool SplitArguments(const QStringList &args, const char *option, QStringList *files, QString *value);
}

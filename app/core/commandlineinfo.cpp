#include "app/core/commandlineinfo.h"

#include <utility>

namespace {

struct OptionEntry {
    const char *name;
    CCommandLineInfo::ShellCommand command;
};

constexpr OptionEntry kOptions[] = {
    {"p", CCommandLineInfo::FilePrint},
    {"pt", CCommandLineInfo::FilePrintTo},
    {"dde", CCommandLineInfo::FileDDE},
    {"Register", CCommandLineInfo::AppRegister},
    {"Regserver", CCommandLineInfo::AppRegister},
    {"Unregister", CCommandLineInfo::AppUnregister},
    {"Unregserver", CCommandLineInfo::AppUnregister},
};

const OptionEntry *FindOption(const QString &name)
{
    for (const OptionEntry &option : kOptions)
        if (name.compare(QLatin1String(option.name), Qt::CaseInsensitive) == 0)
            return &option;
    return nullptr;
}

// "-" always starts an option. "/" starts one only when a known option
// follows, since it also starts every absolute path here.
bool IsOption(const QString &argument)
{
    if (argument.size() < 2)
        return false;
    if (argument.startsWith(QLatin1Char('-')))
        return true;
    return argument.startsWith(QLatin1Char('/')) && FindOption(argument.mid(1));
}

} // namespace

CCommandLineInfo CCommandLineInfo::Parse(const QStringList &arguments)
{
    CCommandLineInfo info;
    for (const QString &argument : arguments) {
        if (IsOption(argument)) {
            if (const OptionEntry *option = FindOption(argument.mid(1))) {
                info.command = option->command;
                info.option = argument;
            }
            continue;
        }
        if (info.command == FilePrintTo) {
            // The file, then the printer, driver and port: the first one still empty.
            for (QString *field : {&info.fileName, &info.printerName, &info.driverName, &info.portName}) {
                if (field->isEmpty()) {
                    *field = argument;
                    break;
                }
            }
            continue;
        }
        if (info.fileName.isEmpty()) {
            info.fileName = argument;
            if (info.command == FileNew)
                info.command = FileOpen;
        }
    }
    return info;
}

QString CCommandLineInfo::MissingArgument() const
{
    if (command != FilePrint && command != FilePrintTo)
        return QString();
    if (fileName.isEmpty())
        return QStringLiteral("FILE.ldx");
    if (command == FilePrint)
        return QString();
    const std::pair<const QString *, const char *> printTo[] = {
        {&printerName, "PRINTER"}, {&driverName, "DRIVER"}, {&portName, "PORT"}};
    for (const auto &[value, name] : printTo)
        if (value->isEmpty())
            return QLatin1String(name);
    return QString();
}

CCommandLineInfo::InfoRequest CCommandLineInfo::FindInfoRequest(const QStringList &arguments)
{
    for (const QString &argument : arguments) {
        if (argument == QLatin1String("--help") || argument == QLatin1String("-h"))
            return HelpRequest;
        if (argument == QLatin1String("--version"))
            return VersionRequest;
    }
    return NoInfoRequest;
}

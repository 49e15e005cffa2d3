#include "app/commandline.h"

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

bool IsOption(const QString &argument)
{
    return argument.size() > 1 && (argument.startsWith(QLatin1Char('/')) || argument.startsWith(QLatin1Char('-')));
}

} // namespace

CCommandLineInfo CCommandLineInfo::Parse(const QStringList &arguments)
{
    CCommandLineInfo info;
    for (const QString &argument : arguments) {
        if (IsOption(argument)) {
            const QString name = argument.mid(1);
            bool known = false;
            for (const OptionEntry &option : kOptions) {
                if (name.compare(QLatin1String(option.name), Qt::CaseInsensitive) == 0) {
                    info.command = option.command;
                    known = true;
                    break;
                }
            }
            if (!known)
                info.unknownOptions << name;
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

QString CCommandLineInfo::OptionName(ShellCommand command)
{
    for (const OptionEntry &option : kOptions)
        if (option.command == command)
            return QString::fromLatin1(option.name);
    return QString();
}

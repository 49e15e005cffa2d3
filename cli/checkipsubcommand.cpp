// check-ip: the IP address check of the reflector dialogs, for scripts.
#include "cli/subcommand.h"
#include "dialogs/core/ipaddress.h"

int RunCheckIP(const QStringList &args)
{
    if (args.isEmpty())
        return Cli::Usage("check-ip");
    QByteArray out;
    bool allValid = true;
    for (const QString &arg : args) {
        const QByteArray text = arg.toLocal8Bit();
        const bool valid = IsValidIPAddress(std::string_view(text.constData(), std::size_t(text.size())));
        allValid = allValid && valid;
        out.append(valid ? "valid\n" : "invalid\n");
    }
    if (const int status = Cli::Print(out))
        return status;
    return allValid ? 0 : 1;
}

#include "cli/subcommand.h"

int RunDump(const QStringList &args);
int RunBuild(const QStringList &args);
int RunCountries(const QStringList &args);
int RunExport(const QStringList &args);
int RunCheckIP(const QStringList &args);
int RunCopy(const QStringList &args);
int RunCu(const QStringList &args);
int RunImport(const QStringList &args);
int RunRestore(const QStringList &args);

const CliSubcommand *CliSubcommands()
{
    static const CliSubcommand subcommands[] = {
        {"dump", "FILE.ldx", "Print each record as one JSON object per line, in file order.", RunDump},
        {"build", "OUT.ldx", "Write the records read as JSON lines from standard input.", RunBuild},
        {"countries", "", "Print the country table, one CODE;Name line per row.", RunCountries},
        {"export", "FILE.ldx OUT [--now YYYY-MM-DDTHH:MM]",
         "Export the records as the program does: merged into the phonebook OUT when its extension is ini, "
         "else a semicolon list; --now dates the export instead of the current local time.",
         RunExport},
        {"check-ip", "TEXT...",
         "Print \"valid\" or \"invalid\" per text, as the reflector dialogs judge an IP address;"
         " exit 1 if any is invalid.",
         RunCheckIP},
        {"copy", "FILE.ldx [ROW...]",
         "Print the clipboard text of the records at those 0-based rows (all when none), in file order.", RunCopy},
        {"cu", "FILE.ldx ROW", "Write the 215-byte .cu connection file of the record at that 0-based row.", RunCu},
        {"import", "DB.ldx FILE... [--conflicts keep|take]",
         "Import phonebooks (.ini), semicolon lists (.csv) and copied text (.txt) into DB as File > Import does;"
         " a reflector whose address DB has keeps DB's values (keep, the default) or takes the file's (take)."
         " Prints the counts of each file; a file that cannot be read or understood changes nothing.",
         RunImport},
        {"restore", "FILE [--keep]",
         "Put back the contents FILE had before a save of it was interrupted (a warning names such files on "
         "every run); with --keep, keep FILE as it is and remove the earlier contents instead.",
         RunRestore},
        {nullptr, nullptr, nullptr, nullptr},
    };
    return subcommands;
}

#include "registration/registrationfiles.h"

#include "exchange/inilines.h"
#include "registration/desktopidentity.h"
#include "resources/resourcefiles.h"

namespace {

// Characters that make the desktop split or interpret an unquoted argument.
bool NeedsQuotes(const QString &argument)
{
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    if (argument.isEmpty())
        return true;
    for (const QChar c : argument)
        if (reserved.contains(c))
            return true;
    return false;
}

// The escapes every string value of a desktop entry takes.
QString EscapeStringValue(const QString &value)
{
    QString out;
    for (const QChar c : value) {
        switch (c.unicode()) {
        case '\\': out += QLatin1String("\\\\"); break;
        case '\n': out += QLatin1String("\\n"); break;
        case '\t': out += QLatin1String("\\t"); break;
        case '\r': out += QLatin1String("\\r"); break;
        default: out += c;
        }
    }
    return out;
}

QByteArray KeyLine(QByteArrayView key, const QString &value)
{
    QByteArray line;
    IniLine::AppendKeyLine(line, key, value.toUtf8());
    return line;
}

} // namespace

QString QuoteExecArgument(const QString &argument)
{
    QString quoted = argument;
    quoted.replace(QLatin1Char('%'), QLatin1String("%%"));
    if (NeedsQuotes(argument)) {
        QString inner;
        for (const QChar c : quoted) {
            if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') || c == QLatin1Char('\\'))
                inner += QLatin1Char('\\');
            inner += c;
        }
        quoted = QLatin1Char('"') + inner + QLatin1Char('"');
    }
    return EscapeStringValue(quoted);
}

QByteArray DesktopEntryFor(const QByteArray &entry, const QString &executable)
{
    QList<QByteArray> lines = entry.split('\n');
    bool inMainGroup = false;
    int execLine = -1;
    for (int i = 0; i < lines.size(); ++i) {
        const IniLine::Parsed line = IniLine::Parse(lines[i], '#');
        if (line.kind == IniLine::Kind::Header) {
            inMainGroup = line.name == "Desktop Entry";
            continue;
        }
        if (!inMainGroup || line.kind != IniLine::Kind::Key || !line.hasEquals)
            continue;
        if (line.name == "TryExec") {
            lines.removeAt(i--);
        } else if (line.name == "Exec") {
            // Keep the arguments after the program name ("/dde %f").
            const qsizetype blank = line.value.indexOf(' ');
            const QByteArray arguments = blank < 0 ? QByteArray() : line.value.sliced(blank).toByteArray();
            lines[i] = KeyLine("Exec", QuoteExecArgument(executable)) + arguments;
            execLine = i;
        }
    }
    if (execLine >= 0)
        lines.insert(execLine, KeyLine("TryExec", EscapeStringValue(executable)));
    return lines.join('\n');
}

QList<RegistrationFile> UserRegistrationFiles(const QString &executable)
{
    using ResourceFiles::Read;
    const QString appId = QLatin1String(Desktop::kAppId);
    return {
        {QStringLiteral("applications/") + QLatin1String(Desktop::kDesktopFileName),
         DesktopEntryFor(Read(ResourceFiles::kDesktopEntry), executable)},
        {QStringLiteral("mime/packages/") + appId + QStringLiteral(".xml"), Read(ResourceFiles::kMimePackage)},
        {QStringLiteral("icons/hicolor/scalable/apps/") + appId + QStringLiteral(".svg"),
         Read(ResourceFiles::kProgramIcon)},
        {QStringLiteral("icons/hicolor/scalable/mimetypes/") + QLatin1String(Desktop::kMimeIconName) +
             QStringLiteral(".svg"),
         Read(ResourceFiles::kDocumentIcon)},
    };
}

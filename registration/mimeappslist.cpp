#include "registration/mimeappslist.h"

#include "exchange/inilines.h"

#include <QList>

namespace {

const QByteArrayView kGroup = "Default Applications";

// Lines without their '\n'; a final line end leaves an empty last element,
// so joining with '\n' gives back the same bytes.
QList<QByteArray> Lines(const QByteArray &text)
{
    return text.split('\n');
}

IniLine::Parsed Parse(const QByteArray &line)
{
    return IniLine::Parse(line, '#');
}

bool IsEntryOf(const IniLine::Parsed &line, const QByteArray &key)
{
    return line.kind == IniLine::Kind::Key && line.hasEquals && line.name == key;
}

// Indexes of the group's header and of the line after its last entry, or
// -1 when the file has no such group.
struct GroupSpan {
    int header = -1;
    int end = -1;
};

GroupSpan FindGroup(const QList<QByteArray> &lines)
{
    GroupSpan span;
    for (int i = 0; i < lines.size(); ++i) {
        const IniLine::Parsed line = Parse(lines[i]);
        if (span.header < 0) {
            if (line.kind == IniLine::Kind::Header && line.name == kGroup)
                span.header = span.end = i;
            continue;
        }
        if (line.kind == IniLine::Kind::Header)
            break;
        if (line.kind != IniLine::Kind::Blank)
            span.end = i;
    }
    if (span.header >= 0)
        span.end += 1;
    return span;
}

int FindKey(const QList<QByteArray> &lines, const GroupSpan &span, const QByteArray &key)
{
    for (int i = span.header + 1; i < span.end; ++i)
        if (IsEntryOf(Parse(lines[i]), key))
            return i;
    return -1;
}

} // namespace

namespace MimeAppsList {

std::optional<QByteArray> DefaultFor(const QByteArray &text, const QByteArray &mimeType)
{
    const QList<QByteArray> lines = Lines(text);
    const GroupSpan span = FindGroup(lines);
    if (span.header < 0)
        return std::nullopt;
    const int at = FindKey(lines, span, mimeType);
    if (at < 0)
        return std::nullopt;
    return Parse(lines[at]).value.toByteArray();
}

QByteArray WithDefault(const QByteArray &text, const QByteArray &mimeType, const std::optional<QByteArray> &desktopId)
{
    QList<QByteArray> lines = Lines(text);
    const GroupSpan span = FindGroup(lines);
    const int at = span.header < 0 ? -1 : FindKey(lines, span, mimeType);
    const bool crlf = !lines.isEmpty() && lines.first().endsWith('\r');
    if (!desktopId) {
        if (at >= 0)
            lines.removeAt(at);
        return lines.join('\n');
    }
    QByteArray entry;
    IniLine::AppendKeyLine(entry, mimeType, *desktopId);
    entry += crlf ? "\r" : "";
    if (at >= 0) {
        lines[at] = entry;
    } else if (span.header >= 0) {
        lines.insert(span.end, entry);
    } else {
        // A new group at the end, after a line end of its own.
        if (!lines.last().isEmpty())
            lines.append(QByteArray());
        lines.insert(lines.size() - 1, '[' + kGroup.toByteArray() + ']' + (crlf ? "\r" : ""));
        lines.insert(lines.size() - 1, entry);
    }
    return lines.join('\n');
}

} // namespace MimeAppsList

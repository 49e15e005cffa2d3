#include "app/core/mimeappslist.h"

#include <QList>

namespace {

const QByteArray kGroup = "[Default Applications]";

// Lines without their '\n'; a final line end leaves an empty last element,
// so joining with '\n' gives back the same bytes.
QList<QByteArray> Lines(const QByteArray &text)
{
    return text.split('\n');
}

bool IsGroupHeader(const QByteArray &line)
{
    return line.trimmed().startsWith('[');
}

QByteArray KeyOf(const QByteArray &line)
{
    const QByteArray trimmed = line.trimmed();
    const int equals = trimmed.indexOf('=');
    if (trimmed.startsWith('#') || equals < 0)
        return QByteArray();
    return trimmed.left(equals).trimmed();
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
        if (span.header < 0) {
            if (lines[i].trimmed() == kGroup)
                span.header = span.end = i;
            continue;
        }
        if (IsGroupHeader(lines[i]))
            break;
        if (!lines[i].trimmed().isEmpty())
            span.end = i;
    }
    if (span.header >= 0)
        span.end += 1;
    return span;
}

int FindKey(const QList<QByteArray> &lines, const GroupSpan &span, const QByteArray &key)
{
    for (int i = span.header + 1; i < span.end; ++i)
        if (KeyOf(lines[i]) == key)
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
    const QByteArray line = lines[at].trimmed();
    return line.mid(line.indexOf('=') + 1).trimmed();
}

QByteArray WithDefault(const QByteArray &text, const QByteArray &mimeType, const std::optional<QByteArray> &desktopId)
{
    QList<QByteArray> lines = Lines(text);
    const GroupSpan span = FindGroup(lines);
    const int at = span.header < 0 ? -1 : FindKey(lines, span, mimeType);
    const bool crlf = !lines.isEmpty() && lines.first().endsWith('\r');
    const QByteArray entry = desktopId ? mimeType + '=' + *desktopId + (crlf ? "\r" : "") : QByteArray();

    if (!desktopId) {
        if (at >= 0)
            lines.removeAt(at);
        return lines.join('\n');
    }
    if (at >= 0) {
        lines[at] = entry;
    } else if (span.header >= 0) {
        lines.insert(span.end, entry);
    } else {
        // A new group at the end, after a line end of its own.
        if (!lines.last().isEmpty())
            lines.append(QByteArray());
        lines.insert(lines.size() - 1, kGroup + (crlf ? "\r" : ""));
        lines.insert(lines.size() - 1, entry);
    }
    return lines.join('\n');
}

} // namespace MimeAppsList

#include "data/countrytable.h"

#include "data/text.h"
#include "resources/resourcefiles.h"

#include <cstring>
#include <new>

namespace {

// The next field of a line: leading semicolons skipped, then up to the next
// semicolon or the end of the line.
bool nextField(const char *&p, const char *lineEnd, std::string_view *field)
{
    while (p < lineEnd && *p == ';')
        ++p;
    if (p == lineEnd)
        return false;
    const char *start = p;
    while (p < lineEnd && *p != ';')
        ++p;
    *field = std::string_view(start, std::size_t(p - start));
    return true;
}

char *copyString(char *dest, std::string_view s)
{
    std::memcpy(dest, s.data(), s.size());
    dest[s.size()] = '\0';
    return dest + s.size() + 1;
}

} // namespace

bool CCountryTable::Load()
{
    return Load(ResourceFiles::Read(ResourceFiles::kCountryList));
}

bool CCountryTable::Load(QByteArrayView text)
{
    if (m_loaded)
        return true;
    if (text.isNull())
        return false;

    // Each stored string is a trimmed piece of a line plus its terminator,
    // and each line gives up at least its separator (";" or CR LF), so the
    // text's length plus one terminator per row is always enough room.
    const std::size_t room = std::size_t(text.size()) + 2 * kMaxRows;
    m_strings.reset(new (std::nothrow) char[room]());
    m_rows.reset(new (std::nothrow) Row[kMaxRows]());
    if (!m_strings || !m_rows) {
        Release();
        return false;
    }

    char *out = m_strings.get();
    const char *p = text.data();
    const char *const end = p + text.size();
    while (m_count < kMaxRows) {
        const char *lineEnd = p;
        while (lineEnd < end && !(lineEnd + 1 < end && lineEnd[0] == '\r' && lineEnd[1] == '\n'))
            ++lineEnd;

        const char *q = p;
        std::string_view code, name;
        if (!nextField(q, lineEnd, &code) || (code = TrimControls(code)).empty())
            break;
        if (!nextField(q, lineEnd, &name) || (name = TrimControls(name)).empty())
            break;

        Row &row = m_rows[m_count++];
        row.code = out;
        out = copyString(out, code);
        row.name = out;
        out = copyString(out, name);

        if (lineEnd == end)
            break;
        p = lineEnd + 2;
    }
    m_loaded = true;
    return true;
}

bool CCountryTable::GetFirst(const char **code, const char **name)
{
    if (!m_loaded || m_count == 0)
        return false;
    m_cursor = 0;
    *code = m_rows[0].code;
    *name = m_rows[0].name;
    return true;
}

bool CCountryTable::GetNext(const char **code, const char **name)
{
    if (!m_loaded)
        return false;
    if (m_cursor < m_count)
        ++m_cursor;
    if (m_cursor >= m_count)
        return false;
    *code = m_rows[m_cursor].code;
    *name = m_rows[m_cursor].name;
    return true;
}

void CCountryTable::Release()
{
    m_strings.reset();
    m_rows.reset();
    m_loaded = false;
    m_count = 0;
    m_cursor = 0;
}

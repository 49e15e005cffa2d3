#include "view/core/findquery.h"

#include "data/asciicase.h"
#include "data/storedtext.h"
#include "data/text.h"

#include <QChar>
#include <QStringEncoder>
#include <QVarLengthArray>

#include <algorithm>

namespace {

constexpr std::size_t kMaxAddressLikeBytes = 15;

bool IsAddressCharacter(char c)
{
    return (c >= '0' && c <= '9') || c == '.' || c == ' ';
}

// The upper case of each character on its own, in place. Unicode's
// simple mappings keep a character within its plane, so the number of
// UTF-16 units never changes.
void UpperCaseInPlace(QChar *p, QChar *end)
{
    for (; p < end; ++p) {
        if (p->isHighSurrogate() && p + 1 < end && p[1].isLowSurrogate()) {
            const char32_t upper = QChar::toUpper(QChar::surrogateToUcs4(p[0], p[1]));
            p[0] = QChar(QChar::highSurrogate(upper));
            p[1] = QChar(QChar::lowSurrogate(upper));
            ++p;
        } else if (p->unicode() < 0x80) {
            // Most letters of most names: QChar::toUpper costs more.
            *p = QLatin1Char(AsciiUpper(char(p->unicode())));
        } else {
            *p = p->toUpper();
        }
    }
}

// Writes the upper case of `text` to `out`, which must hold three times the
// text's size: a UTF-8 character never more than doubles its bytes, a
// Windows-1252 byte becomes at most three (ASCII keeps its length). Each
// character maps on its own, as the platform's upper-casing of a code page
// does. A text that is not UTF-8 is read as Windows-1252, as everywhere.
// Answers the length written.
std::size_t UpperCaseInto(std::string_view text, char *out)
{
    // ASCII, the common case, needs no decoding.
    const QByteArrayView bytes(text.data(), qsizetype(text.size()));
    if (IsAscii(bytes))
        return std::size_t(std::transform(text.begin(), text.end(), out, AsciiUpper) - out);
    QVarLengthArray<QChar, 256> characters(bytes.size());
    QChar *end = StoredText::DecodeInto(bytes, characters.data());
    UpperCaseInPlace(characters.data(), end);
    QStringEncoder utf8(QStringEncoder::Utf8, QStringEncoder::Flag::Stateless);
    return std::size_t(utf8.appendToBuffer(out, QStringView(characters.data(), end)) - out);
}

} // namespace

bool LooksLikeIPAddress(std::string_view text)
{
    if (text.size() > kMaxAddressLikeBytes)
        return false;
    for (char c : text)
        if (!IsAddressCharacter(c))
            return false;
    return true;
}

std::string UpperCaseUtf8(std::string_view text)
{
    std::string upper(3 * text.size(), '\0');
    upper.resize(UpperCaseInto(text, upper.data()));
    return upper;
}

CFindQuery::CFindQuery(QByteArrayView text, bool wholeWord)
    : m_bAddressMode(LooksLikeIPAddress(std::string_view(text.data(), std::size_t(text.size()))))
    , m_bWholeWord(wholeWord)
    , m_strText(text.data(), std::size_t(text.size()))
{
    m_strPattern = m_bAddressMode ? std::string(TrimControls(m_strText)) : UpperCaseUtf8(m_strText);
}

bool CFindQuery::Matches(const CReflector &record) const
{
    return m_bAddressMode ? MatchesAddress(record.m_strIPAddress.view()) : MatchesName(record.m_strFullName.view());
}

bool CFindQuery::MatchesAddress(std::string_view address) const
{
    if (m_bWholeWord)
        return address == m_strPattern;
    return address.find(m_strPattern) != std::string_view::npos;
}

bool CFindQuery::MatchesName(std::string_view fullName) const
{
    if (m_bWholeWord) {
        const QByteArrayView name(fullName.data(), qsizetype(fullName.size()));
        if (StoredText::IsUtf8(name))
            return CompareTextNoCase(fullName, m_strText) == 0;
        const QByteArray utf8 = StoredText::ToUtf8(name);
        return CompareTextNoCase(std::string_view(utf8.constData(), std::size_t(utf8.size())), m_strText) == 0;
    }
    // Most names are short: upper-case them on the stack, so a walk over a
    // million rows allocates nothing.
    char buffer[512];
    if (3 * fullName.size() <= sizeof buffer)
        return std::string_view(buffer, UpperCaseInto(fullName, buffer)).find(m_strPattern) != std::string_view::npos;
    return UpperCaseUtf8(fullName).find(m_strPattern) != std::string::npos;
}

FindStep FindNext(const CFindQuery &query, int rowCount, int lastFound, const RecordOfRow &recordOfRow)
{
    const bool lastFoundIsRow = lastFound >= 0 && lastFound < rowCount;
    const int start = lastFoundIsRow && lastFound < rowCount - 1 ? lastFound + 1 : 0;
    for (int row = start; row < rowCount; ++row) {
        const CReflector *record = recordOfRow(row);
        if (!record)
            break;
        if (query.Matches(*record))
            return {row, lastFoundIsRow ? lastFound : -1};
    }
    return {};
}

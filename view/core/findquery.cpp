#include "view/core/findquery.h"

#include "base/asciicase.h"
#include "data/storedtext.h"
#include "data/text.h"

#include <QChar>
#include <QString>
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

// The characters of a stored text that is not all ASCII, upper-cased each
// on its own, as the platform's upper-casing of a code page does. Names
// that fit (most) stay on the stack.
using UpperCharacters = QVarLengthArray<QChar, 256>;

void UpperCaseCharacters(QByteArrayView bytes, UpperCharacters &characters)
{
    characters.resize(bytes.size());
    QChar *end = StoredText::DecodeInto(bytes, characters.data());
    characters.resize(end - characters.data());
    UpperCaseInPlace(characters.data(), end);
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
    const QByteArrayView bytes(text.data(), qsizetype(text.size()));
    std::string upper(text);
    if (IsAscii(bytes)) {
        std::transform(upper.begin(), upper.end(), upper.begin(), AsciiUpper);
        return upper;
    }
    UpperCharacters characters;
    UpperCaseCharacters(bytes, characters);
    return QStringView(characters.data(), characters.size()).toUtf8().toStdString();
}

CFindQuery::CFindQuery(QByteArrayView text, bool wholeWord)
    : m_bAddressMode(LooksLikeIPAddress(std::string_view(text.data(), std::size_t(text.size()))))
    , m_bWholeWord(wholeWord)
    , m_strText(text.data(), std::size_t(text.size()))
{
    m_strPattern = m_bAddressMode ? std::string(TrimControls(m_strText)) : UpperCaseUtf8(m_strText);
    m_strPatternUtf16 = QString::fromStdString(m_strPattern).toStdU16String();
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
    // ASCII names, most of them, are compared byte by byte; others as
    // characters. Either way short names are upper-cased on the stack, so a
    // walk over a million rows allocates nothing.
    const QByteArrayView name(fullName.data(), qsizetype(fullName.size()));
    if (IsAscii(name)) {
        char buffer[256];
        if (fullName.size() > sizeof buffer)
            return UpperCaseUtf8(fullName).find(m_strPattern) != std::string::npos;
        std::transform(fullName.begin(), fullName.end(), buffer, AsciiUpper);
        return std::string_view(buffer, fullName.size()).find(m_strPattern) != std::string_view::npos;
    }
    UpperCharacters characters;
    UpperCaseCharacters(name, characters);
    // QStringView::indexOf prepares a search per call; a plain one is faster here.
    const std::u16string_view upper(reinterpret_cast<const char16_t *>(characters.data()), std::size_t(characters.size()));
    return upper.find(m_strPatternUtf16) != std::u16string_view::npos;
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

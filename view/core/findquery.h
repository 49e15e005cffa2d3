#pragma once

#include "data/reflector.h"

#include <QByteArrayView>

#include <functional>
#include <string>
#include <string_view>

// True when a search text reads like an IP address: at most 15 bytes, each
// a digit, a dot or a space. The empty text qualifies.
bool LooksLikeIPAddress(std::string_view text);

// One search of the find dialog, prepared once for a walk over many rows.
//
// The text decides which field is searched: an address-like text searches
// the IP addresses (trimmed, byte for byte), any other text the full names
// (containment without regard to case, or the whole name as the list's
// sort compares it).
class CFindQuery
{
public:
    CFindQuery(QByteArrayView text, bool wholeWord);

    bool IsAddressMode() const { return m_bAddressMode; }
    bool Matches(const CReflector &record) const;

private:
    bool MatchesAddress(std::string_view address) const;
    bool MatchesName(std::string_view fullName) const;

    bool m_bAddressMode;
    bool m_bWholeWord;
    std::string m_strText;    // as typed: the whole-name test uses it unchanged
    std::string m_strPattern; // trimmed (address mode) or upper-cased (name mode)
    std::u16string m_strPatternUtf16; // the same, for names that are not all ASCII
};

// The record a row shows, or null when the row has none.
using RecordOfRow = std::function<const CReflector *(int row)>;

// The outcome of one Find Next.
struct FindStep {
    int hit = -1;         // the row found, or -1
    int previousHit = -1; // on a hit, the earlier hit whose selection to clear, or -1
};

// Looks for the next row matching `query` after the last hit (or from the
// top when the last hit was the last row, none, or out of range), down to
// the last row without wrapping. A row without a record ends the search.
FindStep FindNext(const CFindQuery &query, int rowCount, int lastFound, const RecordOfRow &recordOfRow);

// The upper case of a stored text as UTF-8, each character mapped on its
// own by Unicode's simple mapping (so the length in characters never
// changes); a text that is not UTF-8 is read as Windows-1252.
std::string UpperCaseUtf8(std::string_view text);

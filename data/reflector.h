#pragma once

#include "data/text.h"

class CArchiveReader;
class CArchiveWriter;
class CDocView;

// One reflector: a relay server of the Enhanced CU-SeeMe client.
//
// The field order is binding: it is the order of the value constructor, of
// the list's columns and of the database file.
class CReflector
{
public:
    enum Column {
        ColCountry,
        ColLetters,
        ColFullName,
        ColShortName,
        ColIPAddress,
        ColContact,
        ColEmail,
        ColConferenceID,
        ColAddToMenu,
        ColSendVideo,
        ColReceiveVideo,
        ColRunning,
        ColumnCount
    };
    static constexpr int kTextCount = 8;

    // Eight empty texts; used when a record is read from a file, which then
    // sets every field. Does not trim.
    CReflector() = default;

    // A null text counts as empty. Ends with Normalize().
    CReflector(const CText &country, const CText &letters, const CText &fullName,
               const CText &shortName, const CText &ipAddress, const CText &contact,
               const CText &email, const CText &conferenceID, int addToMenu, int sendVideo,
               int receiveVideo, int running);

    // Records live in the record arena, beside the texts read with them.
    static void *operator new(std::size_t size);
    static void operator delete(void *record, std::size_t size) noexcept;

    // The only copy: copies all twelve fields, then trims.
    CReflector &operator=(const CReflector &other);
    CReflector(const CReflector &) = delete;

    // Trims white space around the full name, short name, contact, e-mail
    // and conference ID. Country, letters and address are never trimmed.
    void Normalize();

    // Order of this record against `other` on one list column: negative
    // when this sorts first. Columns 0-6 compare text ignoring ASCII case;
    // every other column answers 0.
    int Compare(const CReflector &other, int column) const;

    // Byte-for-byte equality of the IP address texts.
    bool IsSameAddress(const CReflector &other) const;

    void Serialize(CArchiveWriter &ar) const;
    // Reads the body; on a malformed body the reader's error is set.
    void Serialize(CArchiveReader &ar);

    // Text field by index 0-7 (field order); for code that treats them alike.
    const CText &Text(int index) const { return this->*kTextFields[TextSlot(index)]; }
    CText &Text(int index) { return this->*kTextFields[TextSlot(index)]; }
    int Flag(int index) const; // 0-3: menu, send, receive, running

    // List rows (implemented by the list view).
    void AddToView(int index, CDocView &view);
    void UpdateViewItem(int index, CDocView &view);

    CText m_strCountry;
    CText m_strLetters;
    CText m_strFullName;
    CText m_strShortName;
    CText m_strIPAddress;
    CText m_strContact;
    CText m_strEmail;
    CText m_strConferenceID;
    int m_bAddToMenu = 0;
    int m_bSendVideo = 0;
    int m_bReceiveVideo = 0;
    int m_bRunning = 0;

private:
    // Any other index answers the last text, the conference ID.
    static int TextSlot(int index) { return unsigned(index) < unsigned(kTextCount) ? index : kTextCount - 1; }
    static CText CReflector::*const kTextFields[kTextCount];
};

// A million records in memory: every byte of a record counts.
static_assert(sizeof(CReflector) == 72, "a record is eight texts of seven bytes and four ints");

// Case-insensitive comparison of two texts as the list sorts them: ASCII
// letters fold to lower case, every other byte compares by unsigned value.
int CompareTextNoCase(std::string_view a, std::string_view b);

// The "Yes"/"No" word of a flag.
const char *FlagWord(int flag);

#include "data/reflector.h"

#include "base/asciicase.h"
#include "data/archive.h"
#include "data/docview.h"
#include "data/recordarena.h"
#include "resources/strings.h"

namespace {

bool isSpaceByte(unsigned char c)
{
    // Bytes of 0x80 and above are parts of multi-byte characters and never
    // white space; this also keeps a lead or trail byte from being trimmed.
    return c == ' ' || (c >= 0x09 && c <= 0x0D);
}

void trim(CText &text)
{
    const std::string_view s = text.view();
    std::size_t front = 0;
    while (front < s.size() && isSpaceByte((unsigned char)s[front]))
        ++front;
    std::size_t back = 0;
    while (back < s.size() - front && isSpaceByte((unsigned char)s[s.size() - 1 - back]))
        ++back;
    text.chop(front, back);
}

} // namespace

int CompareTextNoCase(std::string_view a, std::string_view b)
{
    // In UTF-8 a byte-wise walk orders whole characters by code point, and
    // only ASCII bytes fold, so this is the character-wise comparison.
    const std::size_t n = a.size() < b.size() ? a.size() : b.size();
    for (std::size_t i = 0; i < n; ++i) {
        const auto ca = (unsigned char)AsciiLower(a[i]);
        const auto cb = (unsigned char)AsciiLower(b[i]);
        if (ca != cb)
            return ca < cb ? -1 : 1;
    }
    if (a.size() == b.size())
        return 0;
    return a.size() < b.size() ? -1 : 1;
}

const char *FlagWord(int flag)
{
    // Looked up once: exports ask for it four times a record.
    static const char *const yes = LoadString(Str::Yes);
    static const char *const no = LoadString(Str::No);
    return flag ? yes : no;
}

CReflector::CReflector(const CText &country, const CText &letters, const CText &fullName,
                       const CText &shortName, const CText &ipAddress, const CText &contact,
                       const CText &email, const CText &conferenceID, int addToMenu,
                       int sendVideo, int receiveVideo, int running)
    : m_strCountry(country)
    , m_strLetters(letters)
    , m_strFullName(fullName)
    , m_strShortName(shortName)
    , m_strIPAddress(ipAddress)
    , m_strContact(contact)
    , m_strEmail(email)
    , m_strConferenceID(conferenceID)
    , m_bAddToMenu(addToMenu)
    , m_bSendVideo(sendVideo)
    , m_bReceiveVideo(receiveVideo)
    , m_bRunning(running)
{
    Normalize();
}

void *CReflector::operator new(std::size_t size)
{
    return RecordArena::AllocateObject(size);
}

void CReflector::operator delete(void *record, std::size_t size) noexcept
{
    // A record has no other holder: a later use of it is a fault.
    RecordArena::Poison(record, size);
    RecordArena::Release(record);
}

CReflector &CReflector::operator=(const CReflector &other)
{
    if (this != &other) {
        for (int i = 0; i < kTextCount; ++i)
            Text(i) = other.Text(i);
        m_bAddToMenu = other.m_bAddToMenu;
        m_bSendVideo = other.m_bSendVideo;
        m_bReceiveVideo = other.m_bReceiveVideo;
        m_bRunning = other.m_bRunning;
    }
    Normalize();
    return *this;
}

void CReflector::Normalize()
{
    trim(m_strFullName);
    trim(m_strShortName);
    trim(m_strContact);
    trim(m_strEmail);
    trim(m_strConferenceID);
}

int CReflector::Compare(const CReflector &other, int column) const
{
    if (column < ColCountry || column > ColEmail)
        return 0;
    return CompareTextNoCase(Text(column).view(), other.Text(column).view());
}

bool CReflector::IsSameAddress(const CReflector &other) const
{
    return m_strIPAddress == other.m_strIPAddress;
}

CText CReflector::*const CReflector::kTextFields[kTextCount] = {
    &CReflector::m_strCountry,  &CReflector::m_strLetters,   &CReflector::m_strFullName,
    &CReflector::m_strShortName, &CReflector::m_strIPAddress, &CReflector::m_strContact,
    &CReflector::m_strEmail,    &CReflector::m_strConferenceID,
};

int CReflector::Flag(int index) const
{
    switch (index) {
    case 0: return m_bAddToMenu;
    case 1: return m_bSendVideo;
    case 2: return m_bReceiveVideo;
    default: return m_bRunning;
    }
}

void CReflector::Serialize(CArchiveWriter &ar) const
{
    for (int i = 0; i < kTextCount; ++i)
        ar.WriteText(Text(i).view());
    ar.WriteU16(uint16_t(m_bAddToMenu));
    ar.WriteU16(uint16_t(m_bSendVideo));
    ar.WriteU16(uint16_t(m_bReceiveVideo));
    ar.WriteU16(uint16_t(m_bRunning));
}

void CReflector::Serialize(CArchiveReader &ar)
{
    for (int i = 0; i < kTextCount; ++i)
        ar.ReadText(Text(i));
    m_bAddToMenu = ar.ReadU16();
    m_bSendVideo = ar.ReadU16();
    m_bReceiveVideo = ar.ReadU16();
    m_bRunning = ar.ReadU16();
}

void CReflector::AddToView(int index, CDocView &view)
{
    if (index < 0)
        index = view.GetRowCount();
    view.InsertReflectorItem(index, this);
    UpdateViewItem(index, view);
}

void CReflector::UpdateViewItem(int index, CDocView &view)
{
    view.UpdateRow(index);
}

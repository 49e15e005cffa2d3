// Merges records decoded from the start of the input into a phonebook made
// of the rest: the file the user points Export at may hold anything. The
// merge must give what one profile write per key gives, leave every line
// it does not own as it was, and change nothing more when run again.
//
// Input: a record count, then per record a flag byte, a pick byte and four
// short texts (letters, short name, address, conference ID), then the
// phonebook. A record may take its name from a section of the phonebook or
// from an earlier record, in other letter case, so that the hashed look-ups
// meet names that match.
#include "exchange/clientcodepage.h"
#include "exchange/datetimestamp.h"
#include "exchange/foldednames.h"
#include "exchange/phonebookexport.h"
#include "support/referenceprofile.h"

#include <QBuffer>
#include <QString>

#include <algorithm>
#include <cstdio>

namespace {

constexpr std::size_t kMaxInput = 4096;
constexpr int kMaxRecords = 6;
constexpr int kMaxTextSize = 24;

const DateTimeStamp kFirst{"7 Mar 2024", "14:05"};
const DateTimeStamp kLater{"8 Mar 2024", "09:30"};

[[noreturn]] void Fail(const char *what, const QByteArray &expected, const QByteArray &actual)
{
    std::fprintf(stderr, "%s\nexpected: %s\nactual:   %s\n", what, expected.toPercentEncoding(" []=;").constData(),
                 actual.toPercentEncoding(" []=;").constData());
    __builtin_trap();
}

class Reader
{
public:
    Reader(const uint8_t *data, std::size_t size) : m_p(data), m_end(data + size) {}

    uint8_t Byte() { return m_p < m_end ? *m_p++ : 0; }
    QByteArray Text()
    {
        const std::size_t size = std::min<std::size_t>(Byte() % (kMaxTextSize + 1), std::size_t(m_end - m_p));
        const QByteArray text(reinterpret_cast<const char *>(m_p), qsizetype(size));
        m_p += size;
        return text;
    }
    QByteArray Rest() const { return QByteArray(reinterpret_cast<const char *>(m_p), m_end - m_p); }

private:
    const uint8_t *m_p;
    const uint8_t *m_end;
};

QByteArray ChangeCase(const QByteArray &text, int how)
{
    switch (how) {
    case 1:
        return text.toUpper(); // ASCII only
    case 2:
        return text.toLower();
    case 3: {
        const QString decoded = QString::fromUtf8(text);
        return decoded.toUtf8() == text ? decoded.toUpper().toUtf8() : text;
    }
    default:
        return text;
    }
}

// Letters and short name that give the section name `name`, when it has
// the form "(letters) short name".
void SplitName(const QByteArray &name, CReflector &r)
{
    const qsizetype close = name.indexOf(") ");
    if (name.startsWith('(') && close > 0) {
        r.m_strLetters = CText(name.mid(1, close - 1));
        r.m_strShortName = CText(name.mid(close + 2));
    } else {
        r.m_strLetters = CText();
        r.m_strShortName = CText(name);
    }
}

// A record as the input gives it, before its name is settled.
struct Encoded {
    uint8_t flags; // bits 0-3: running, send, receive, menu; 4-5: whose name
    uint8_t pick;  // bits 0-4: which section or record; 5-6: letter case
    QByteArray letters, shortName, address, conferenceId;
};

QList<Encoded> DecodeRecords(Reader &in)
{
    QList<Encoded> records;
    const int count = in.Byte() % (kMaxRecords + 1);
    for (int i = 0; i < count; ++i) {
        Encoded e;
        e.flags = in.Byte();
        e.pick = in.Byte();
        e.letters = in.Text();
        e.shortName = in.Text();
        e.address = in.Text();
        e.conferenceId = in.Text();
        records << e;
    }
    return records;
}

ReflectorList MakeRecords(const QList<Encoded> &encoded, const QByteArrayList &sections)
{
    ReflectorList list;
    for (const Encoded &e : encoded) {
        auto r = std::make_unique<CReflector>();
        r->m_bRunning = e.flags & 1;
        r->m_bSendVideo = (e.flags >> 1) & 1;
        r->m_bReceiveVideo = (e.flags >> 2) & 1;
        r->m_bAddToMenu = (e.flags >> 3) & 1;
        r->m_strLetters = CText(e.letters);
        r->m_strShortName = CText(e.shortName);
        r->m_strIPAddress = CText(e.address);
        r->m_strConferenceID = CText(e.conferenceId);
        const int source = (e.flags >> 4) & 3;
        if (source == 1 && !sections.isEmpty()) {
            SplitName(sections[(e.pick & 0x1F) % sections.size()], *r);
        } else if (source == 2 && !list.empty()) {
            const CReflector &earlier = *list[std::size_t(e.pick & 0x1F) % list.size()];
            r->m_strLetters = earlier.m_strLetters;
            r->m_strShortName = earlier.m_strShortName;
        }
        const int how = (e.pick >> 5) & 3;
        r->m_strLetters = CText(ChangeCase(r->m_strLetters.toByteArray(), how));
        r->m_strShortName = CText(ChangeCase(r->m_strShortName.toByteArray(), how));
        list.push_back(std::move(r));
    }
    return list;
}

QByteArray Merged(const QByteArray &phonebook, const ReflectorList &list, const DateTimeStamp &stamp)
{
    // The reference model writes and compares UTF-8.
    static const CClientCodePage utf8Client(QStringLiteral("UTF-8"));
    QBuffer existing;
    existing.setData(phonebook);
    existing.open(QIODevice::ReadOnly);
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    if (!PhonebookExport::Merge(existing, out, list, stamp, utf8Client))
        Fail("the merge failed", QByteArray(), phonebook);
    return out.data();
}

// A line that names one of the keys the merge writes: one it may change.
bool IsKeyLine(const QByteArray &line)
{
    const QByteArray text = line.trimmed();
    if (text.startsWith(';') || text.startsWith('['))
        return false;
    const qsizetype equals = text.indexOf('=');
    const QByteArray name = FoldCase(equals < 0 ? text : text.left(equals).trimmed());
    // The keys of a section, as the reference writes them.
    static const WriteList keys = ExportWrites(ReflectorList(), kFirst.date, kFirst.time);
    return std::any_of(keys.begin(), keys.end(), [&](const ProfileWrite &w) { return FoldCase(w.key) == name; });
}

// The lines of a file that the merge does not own: as in the file, and
// their texts.
QList<std::pair<QByteArray, QByteArray>> OtherLines(const ReferenceProfile &file)
{
    QList<std::pair<QByteArray, QByteArray>> lines;
    for (int i = 0; i < file.Lines().size(); ++i)
        if (!IsKeyLine(file.Text(i)))
            lines.append({file.Lines()[i], file.Text(i)});
    return lines;
}

// The merge owns the lines of its keys and the sections it appends; every
// other line of the phonebook comes out as it went in, in the same order,
// the last one given a line break when something follows it, and in the
// same encoding.
void CheckUntouchedLines(const QByteArray &phonebook, const QByteArray &merged)
{
    const ReferenceProfile before(phonebook);
    const ReferenceProfile after(merged);
    if (after.Mark() != before.Mark())
        Fail("the byte order mark changed", phonebook, merged);
    const auto kept = OtherLines(before);
    const auto lines = OtherLines(after);
    const QByteArray lineEnd = after.Encoded("\r\n");
    if (lines.size() < kept.size())
        Fail("lines were lost", phonebook, merged);
    for (qsizetype i = 0; i < kept.size(); ++i)
        if (lines[i].first != kept[i].first && lines[i].first != kept[i].first + lineEnd)
            Fail("a line the merge does not own changed", kept[i].first, lines[i].first);
    for (qsizetype i = kept.size(); i < lines.size(); ++i) {
        const auto &[bytes, text] = lines[i];
        if (!bytes.endsWith(lineEnd) || !(text.isEmpty() || (text.startsWith('[') && text.endsWith(']'))))
            Fail("an appended line is neither blank nor a section header", QByteArray(), bytes);
    }
}

// Exporting the same records again, later, changes nothing but adds the
// new marker section at the end.
void CheckSecondMerge(const QByteArray &merged, const ReflectorList &list)
{
    const QByteArray laterMarker = FoldCase(PhonebookExport::MarkerSection(kLater));
    const ReferenceProfile reference(merged);
    for (const QByteArray &name : reference.SectionNames())
        if (FoldCase(name) == laterMarker)
            return; // the file holds that marker already: it is written in place
    const QByteArray again = Merged(merged, list, kLater);
    const QByteArray markerOnly = Merged(QByteArray(), ReflectorList(), kLater);
    for (const char *separator : {"", "\r\n", "\r\n\r\n"})
        if (again == merged + reference.Encoded(separator + markerOnly))
            return;
    Fail("a second merge changed more than its marker", merged + "(...)" + markerOnly, again);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size > kMaxInput)
        return 0;
    Reader in(data, size);
    const QList<Encoded> encoded = DecodeRecords(in);
    const QByteArray phonebook = in.Rest();
    const ReflectorList list = MakeRecords(encoded, ReferenceProfile(phonebook).SectionNames());

    const QByteArray merged = Merged(phonebook, list, kFirst);
    const QByteArray expected = ApplyOneByOne(phonebook, ExportWrites(list, kFirst.date, kFirst.time));
    if (merged != expected)
        Fail("the merge differs from one profile write per key", expected, merged);
    CheckUntouchedLines(phonebook, merged);
    CheckSecondMerge(merged, list);
    return 0;
}

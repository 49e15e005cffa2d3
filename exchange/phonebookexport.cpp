#include "exchange/phonebookexport.h"

#include "base/asciicase.h"
#include "base/safesave.h"
#include "exchange/clientcodepage.h"
#include "exchange/datetimestamp.h"
#include "exchange/foldednames.h"
#include "exchange/onelinetext.h"
#include "exchange/phonebookreader.h"
#include "exchange/phonebookwriter.h"

#include <QIODevice>

#include <algorithm>
#include <iterator>
#include <vector>

namespace {

constexpr int kMarker = -1; // the marker section, among the reflectors' indexes

const char *const kKeyNames[] = {"IP", "Send Video", "Receive Video", "Add To Menu", "ConferenceID"};
constexpr int kKeyCount = int(std::size(kKeyNames));

// What one section of the export holds: the marker's or a running
// reflector's name and the values of its five keys, in key order, as texts
// of the phonebook (see CPhonebookEncoding::TextCodePage).
class SectionSource
{
public:
    SectionSource(const ReflectorList &list, const DateTimeStamp &stamp, const CClientCodePage &codePage,
                  const CPhonebookEncoding &encoding)
        : m_list(list), m_codePage(codePage), m_encoding(encoding)
    {
        m_encoding.AppendFromClient(m_marker, codePage.FromStored(PhonebookExport::MarkerSection(stamp)));
    }

    // "(CC) Short name", or the marker's name, on one line.
    void Name(int source, QByteArray &name) const
    {
        if (source == kMarker) {
            name.resize(0);
            name.append(m_marker);
            return;
        }
        const CReflector &r = *m_list[std::size_t(source)];
        const QByteArrayView letters = Text(r.m_strLetters, m_letters);
        const QByteArrayView shortName = Text(r.m_strShortName, m_value);
        name.resize(letters.size() + shortName.size() + 3);
        char *p = name.data();
        *p++ = '(';
        p = CopyOneLine(p, letters);
        *p++ = ')';
        *p++ = ' ';
        CopyOneLine(p, shortName);
    }

    // Valid until the next call.
    QByteArrayView Value(int source, int key) const
    {
        static const QByteArrayView kMarkerValues[] = {"0.0.0.0", "No", "No", "Yes", "0"};
        if (source == kMarker)
            return kMarkerValues[key];
        const CReflector &r = *m_list[std::size_t(source)];
        switch (key) {
        case 0:
            return Text(r.m_strIPAddress, m_value);
        case 1:
            return FlagWord(r.m_bSendVideo);
        case 2:
            return FlagWord(r.m_bReceiveVideo);
        case 3:
            return FlagWord(r.m_bAddToMenu);
        default:
            return Text(r.m_strConferenceID, m_value);
        }
    }

private:
    // The stored text as a text of the phonebook: its own bytes when they
    // read the same there (the common case), else converted into `scratch`.
    QByteArrayView Text(const CText &stored, QByteArray &scratch) const
    {
        const QByteArrayView bytes = stored.bytes();
        if (m_codePage.ReadsAsStored(bytes) && (!m_encoding.IsUtf16() || IsAscii(bytes)))
            return bytes;
        scratch.resize(0);
        if (!m_encoding.IsUtf16()) {
            m_codePage.AppendFromStored(scratch, bytes);
            return scratch;
        }
        m_encoding.AppendFromClient(scratch, m_codePage.FromStored(bytes));
        return scratch;
    }

    const ReflectorList &m_list;
    const CClientCodePage &m_codePage;
    const CPhonebookEncoding &m_encoding;
    QByteArray m_marker;
    mutable QByteArray m_value;   // scratch for a converted text
    mutable QByteArray m_letters; // scratch for converted letters
};

// The sections the export writes, one per name (ignoring case), in the
// order first written. Each holds the name as its first writer spelt it and
// the values of its last writer: 12 bytes and an index slot, whether the
// file holds it or it is appended.
class ExportSections
{
public:
    // The sections that `sources` (kMarker or reflectors' indexes) write, in
    // that order.
    ExportSections(const SectionSource &source, const CClientCodePage &codePage, const std::vector<int> &sources)
        : m_source(source), m_codePage(codePage)
    {
        m_sections.reserve(sources.size());
        m_index.Reserve(sources.size());
        // The index is far larger than the caches: with the hashes known
        // first, each slot is fetched a few names ahead, and the misses
        // overlap.
        constexpr std::size_t kAhead = 16;
        std::vector<uint32_t> hashes(sources.size());
        for (std::size_t i = 0; i < sources.size(); ++i)
            hashes[i] = Hash(sources[i]);
        for (std::size_t i = 0; i < sources.size(); ++i) {
            if (i + kAhead < sources.size())
                m_index.Prefetch(hashes[i + kAhead]);
            Write(sources[i], hashes[i]);
        }
    }

    // The section of that name (as ParsePhonebookLine gives it), the first
    // time the file names it; else -1: a later section of the same name is
    // never written to.
    int Meet(QByteArrayView name)
    {
        m_folded.Set(name, &m_codePage);
        // A phonebook this export wrote before holds the sections in the
        // order they are written: the one after the last met comes first,
        // without a look-up.
        auto named = [&](int section) { return IsNamed(section, m_folded.folded()); };
        int found = m_next < m_sections.size() && named(int(m_next)) ? int(m_next) : -1;
        if (found < 0)
            found = m_index.Find(uint32_t(m_folded.hash()), named);
        if (found < 0 || m_sections[std::size_t(found)].met)
            return -1;
        m_sections[std::size_t(found)].met = true;
        m_next = std::size_t(found) + 1;
        return found;
    }

    // Whose values the section holds.
    int Values(int section) const { return m_sections[std::size_t(section)].last; }

    // `append(first, last)` for each section the file did not hold, in order.
    template <typename Append> void ForEachNotMet(Append &&append) const
    {
        for (const Section &section : m_sections)
            if (!section.met)
                append(section.first, section.last);
    }

private:
    struct Section {
        int first; // whose spelling of the name the header keeps
        int last;  // whose values the keys hold
        bool met;  // found in the file
    };

    void Write(int source, uint32_t hash)
    {
        // Rare: a name written before, or another name with the same hash.
        const int found = m_index.Find(hash, [&](int section) {
            const QByteArray folded = FoldedNameOf(source);
            return IsNamed(section, folded);
        });
        if (found >= 0) {
            m_sections[std::size_t(found)].last = source;
            return;
        }
        m_index.Insert(hash, int(m_sections.size()));
        m_sections.push_back({source, source, false});
    }

    // Names match trimmed, as the client's profile functions read them.
    bool IsNamed(int section, QByteArrayView folded)
    {
        m_source.Name(m_sections[std::size_t(section)].first, m_name);
        return MatchesFolded(QByteArrayView(m_name).trimmed(), folded, &m_codePage);
    }

    const QByteArray &FoldedNameOf(int source)
    {
        m_source.Name(source, m_name);
        m_folded.Set(QByteArrayView(m_name).trimmed(), &m_codePage);
        return m_folded.folded();
    }

    uint32_t Hash(int source)
    {
        FoldedNameOf(source);
        return uint32_t(m_folded.hash());
    }

    const SectionSource &m_source;
    const CClientCodePage &m_codePage;
    std::vector<Section> m_sections;
    CFoldedNameIndex m_index;
    std::size_t m_next = 0; // the section after the last one met
    CFoldedName m_folded;    // scratch for a name looked up
    QByteArray m_name;       // scratch for a section's name
};

// Copies the phonebook line by line. The first section of each exported
// name gets its keys rewritten in place and those it lacks added after its
// last non-blank line; the sections the file lacks are appended at the end.
class PhonebookMerge
{
public:
    PhonebookMerge(CPhonebookWriter &writer, const SectionSource &source, ExportSections &sections,
                   const CClientCodePage &codePage)
        : m_writer(writer), m_source(source), m_sections(sections), m_codePage(codePage)
    {
        std::transform(std::begin(kKeyNames), std::end(kKeyNames), m_foldedKeys, [](const char *name) {
            return FoldCase(name);
        });
    }

    void Take(const CPhonebookReader::Line &line)
    {
        const QByteArrayView trimmed = line.text.trimmed();
        // Most lines are keys: only one that starts with a bracket is parsed
        // unless it lies in a section being written.
        if (trimmed.startsWith('[')) {
            const IniLine::Parsed parsed = ParsePhonebookLine(line.text);
            if (parsed.kind == IniLine::Kind::Header) {
                CloseSection();
                m_writer.Copy(line.bytes, line.ended, false);
                OpenSection(parsed.name);
                return;
            }
        }
        if (m_section < 0) {
            m_writer.Copy(line.bytes, line.ended, trimmed.isEmpty());
        } else if (trimmed.isEmpty()) {
            // Missing keys go before these, should no other line follow.
            m_heldBlanks.append(line.bytes);
            m_heldBlanksEnded = line.ended;
        } else {
            TakeSectionLine(line);
        }
    }

    void Finish()
    {
        CloseSection();
        QByteArray name;
        m_sections.ForEachNotMet([&](int first, int last) {
            m_writer.SeparateNewSection();
            m_source.Name(first, name);
            m_writer.WriteHeader(name);
            for (int key = 0; key < kKeyCount; ++key)
                m_writer.WriteKeyLine(kKeyNames[key], m_source.Value(last, key));
        });
    }

private:
    void OpenSection(QByteArrayView name)
    {
        m_section = m_sections.Meet(name);
        std::fill(std::begin(m_found), std::end(m_found), false);
    }

    void TakeSectionLine(const CPhonebookReader::Line &line)
    {
        ReleaseHeldBlanks();
        const IniLine::Parsed parsed = ParsePhonebookLine(line.text);
        const int key = parsed.kind == IniLine::Kind::Key ? KeyOf(parsed.name) : -1;
        if (key < 0 || m_found[key]) {
            m_writer.Copy(line.bytes, line.ended, false);
            return;
        }
        m_found[key] = true;
        m_writer.WriteKeyLine(parsed.name, m_source.Value(m_sections.Values(m_section), key));
    }

    void CloseSection()
    {
        if (m_section < 0)
            return;
        for (int key = 0; key < kKeyCount; ++key)
            if (!m_found[key])
                m_writer.WriteKeyLine(kKeyNames[key], m_source.Value(m_sections.Values(m_section), key));
        ReleaseHeldBlanks();
        m_section = -1;
    }

    void ReleaseHeldBlanks()
    {
        m_writer.Copy(m_heldBlanks, m_heldBlanksEnded, true);
        m_heldBlanks.resize(0);
    }

    int KeyOf(QByteArrayView name)
    {
        // The key names are ASCII; other letters may still fold to theirs.
        if (!IsAscii(name)) {
            FoldCaseInto(m_foldedName, name, &m_codePage);
            name = m_foldedName;
        }
        for (int key = 0; key < kKeyCount; ++key)
            if (name.size() == m_foldedKeys[key].size() && MatchesFolded(name, m_foldedKeys[key]))
                return key;
        return -1;
    }

    CPhonebookWriter &m_writer;
    const SectionSource &m_source;
    ExportSections &m_sections;
    const CClientCodePage &m_codePage;
    QByteArray m_foldedKeys[kKeyCount];
    QByteArray m_foldedName; // scratch for a key name of other letters
    int m_section = -1; // the exported section being read, or -1
    bool m_found[kKeyCount] = {};
    QByteArray m_heldBlanks; // blank lines read since its last non-blank line
    bool m_heldBlanksEnded = false;
};

} // namespace

namespace PhonebookExport {

QByteArray MarkerSection(const DateTimeStamp &stamp)
{
    return "_LDX List " + stamp.date + ' ' + stamp.time + '_';
}

bool Merge(QIODevice &existing, QIODevice &out, const ReflectorList &list, const DateTimeStamp &stamp,
           const CClientCodePage &codePage)
{
    CPhonebookReader reader(existing, codePage);
    const CPhonebookEncoding &encoding = reader.Encoding();
    const SectionSource source(list, stamp, codePage, encoding);
    std::vector<int> sources{kMarker};
    for (std::size_t i = 0; i < list.size(); ++i)
        if (list[i]->m_bRunning)
            sources.push_back(int(i));
    ExportSections sections(source, encoding.TextCodePage(), sources);

    CPhonebookWriter writer(out, encoding);
    PhonebookMerge merge(writer, source, sections, encoding.TextCodePage());
    for (CPhonebookReader::Line line; reader.Next(line);)
        merge.Take(line);
    if (reader.Failed())
        return false;
    merge.Finish();
    return writer.Finish();
}

bool Export(const QString &path, const ReflectorList &list, const DateTimeStamp &stamp,
            const CClientCodePage &codePage, QString *error)
{
    return RewriteFileSafely(
        path, [&](QIODevice &existing, QIODevice &out) { return Merge(existing, out, list, stamp, codePage); }, error);
}

} // namespace PhonebookExport

#include "exchange/phonebookexport.h"

#include "data/regularfile.h"
#include "data/safesave.h"
#include "exchange/clientcodepage.h"
#include "exchange/datetimestamp.h"
#include "exchange/foldednames.h"
#include "exchange/phonebookreader.h"
#include "exchange/phonebookwriter.h"

#include <QBuffer>
#include <QFileInfo>

#include <algorithm>
#include <iterator>
#include <vector>

namespace {

// The whole phonebook is read before it is written (see Export): one of
// hundreds of megabytes is no client's phonebook.
constexpr qint64 kMaxPhonebookSize = qint64(256) << 20;
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
        name.resize(0);
        if (source == kMarker) {
            name.append(m_marker);
        } else {
            const CReflector &r = *m_list[std::size_t(source)];
            name.append('(');
            AppendText(name, r.m_strLetters);
            name.append(") ");
            AppendText(name, r.m_strShortName);
        }
        std::replace_if(name.begin(), name.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
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
            return Text(r.m_strIPAddress);
        case 1:
            return FlagWord(r.m_bSendVideo);
        case 2:
            return FlagWord(r.m_bReceiveVideo);
        case 3:
            return FlagWord(r.m_bAddToMenu);
        default:
            return Text(r.m_strConferenceID);
        }
    }

private:
    void AppendText(QByteArray &out, const CText &stored) const
    {
        if (!m_encoding.IsUtf16()) {
            m_codePage.AppendFromStored(out, stored.bytes());
            return;
        }
        m_client.resize(0);
        m_codePage.AppendFromStored(m_client, stored.bytes());
        m_encoding.AppendFromClient(out, m_client);
    }

    QByteArrayView Text(const CText &stored) const
    {
        m_value.resize(0);
        AppendText(m_value, stored);
        return m_value;
    }

    const ReflectorList &m_list;
    const CClientCodePage &m_codePage;
    const CPhonebookEncoding &m_encoding;
    QByteArray m_marker;
    mutable QByteArray m_value;  // scratch for a converted value
    mutable QByteArray m_client; // scratch for a text in the client's code page
};

// The sections the export writes, one per name (ignoring case), in the
// order first written. Each holds the name as its first writer spelt it and
// the values of its last writer: 12 bytes and an index slot, whether the
// file holds it or it is appended.
class ExportSections
{
public:
    ExportSections(const SectionSource &source, const CClientCodePage &codePage, std::size_t count)
        : m_source(source), m_codePage(codePage)
    {
        m_sections.reserve(count);
        m_index.Reserve(count);
    }

    void Write(int source)
    {
        m_source.Name(source, m_name);
        const int found = Find(QByteArrayView(m_name).trimmed());
        if (found >= 0) {
            m_sections[std::size_t(found)].last = source;
            return;
        }
        m_index.Insert(m_folded, int(m_sections.size()));
        m_sections.push_back({source, source, false});
    }

    // The section of that name (as ParsePhonebookLine gives it), the first
    // time the file names it; else -1: a later section of the same name is
    // never written to.
    int Meet(QByteArrayView name)
    {
        const int found = Find(name);
        if (found < 0 || m_sections[std::size_t(found)].met)
            return -1;
        m_sections[std::size_t(found)].met = true;
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

    // Names match trimmed, as the client's profile functions read them.
    int Find(QByteArrayView trimmedName)
    {
        m_folded.Set(trimmedName, &m_codePage);
        return m_index.Find(m_folded, [&](int section) {
            m_source.Name(m_sections[std::size_t(section)].first, m_candidate);
            return MatchesFolded(QByteArrayView(m_candidate).trimmed(), m_folded.folded(), &m_codePage);
        });
    }

    const SectionSource &m_source;
    const CClientCodePage &m_codePage;
    std::vector<Section> m_sections;
    CFoldedNameIndex m_index;
    CFoldedName m_folded;   // scratch for the name looked up
    QByteArray m_name;      // scratch for an exported name
    QByteArray m_candidate; // scratch for names being compared
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

    int KeyOf(QByteArrayView name) const
    {
        for (int key = 0; key < kKeyCount; ++key)
            if (MatchesFolded(name, m_foldedKeys[key], &m_codePage))
                return key;
        return -1;
    }

    CPhonebookWriter &m_writer;
    const SectionSource &m_source;
    ExportSections &m_sections;
    const CClientCodePage &m_codePage;
    QByteArray m_foldedKeys[kKeyCount];
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
    ExportSections sections(source, encoding.TextCodePage(), list.size() + 1);
    sections.Write(kMarker);
    for (std::size_t i = 0; i < list.size(); ++i)
        if (list[i]->m_bRunning)
            sections.Write(int(i));

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
    // The phonebook is read whole before the merge: a file that must be
    // written in place is emptied before its new contents are made, so the
    // merge cannot read it as it goes.
    QString reason;
    QByteArray contents;
    const bool read = !QFileInfo::exists(path) || ReadRegularFile(path, kMaxPhonebookSize, &contents, &reason);
    QBuffer existing(&contents);
    existing.open(QIODevice::ReadOnly);
    const bool written = read
                         && SaveFileSafely(path,
                                           [&](QIODevice &out) { return Merge(existing, out, list, stamp, codePage); },
                                           &reason);
    if (!written && error)
        *error = reason;
    return written;
}

} // namespace PhonebookExport

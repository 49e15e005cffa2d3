#include "exchange/phonebookexport.h"

#include "data/safesave.h"
#include "exchange/clientcodepage.h"
#include "exchange/datetimestamp.h"
#include "exchange/foldednames.h"
#include "exchange/inilines.h"
#include "exchange/onelinetext.h"
#include "exchange/profilefile.h"

#include <QIODevice>


#include <iterator>
#include <vector>

namespace {

// A client's phonebook takes kilobytes; one of hundreds of megabytes is not
// one, and the merge holds the file and a few times more in memory.
constexpr qint64 kMaxPhonebookSize = qint64(256) << 20;
constexpr qsizetype kChunkSize = 1 << 20;
constexpr int kMarker = -1; // the marker section, among the reflectors' indexes

const char *const kKeyNames[] = {"IP", "Send Video", "Receive Video", "Add To Menu", "ConferenceID"};
constexpr int kKeyCount = int(std::size(kKeyNames));

// What one section of the export holds: the marker's or a running
// reflector's name and the values of its five keys, in key order, in the
// client's code page.
class SectionSource
{
public:
    SectionSource(const ReflectorList &list, const DateTimeStamp &stamp, const CClientCodePage &codePage)
        : m_list(list), m_marker(codePage.FromStored(PhonebookExport::MarkerSection(stamp))), m_codePage(codePage)
    {
    }

    const CClientCodePage &CodePage() const { return m_codePage; }

    // "(CC) Short name", or the marker's name.
    void Name(int source, QByteArray &name) const
    {
        if (source == kMarker) {
            name = m_marker;
            return;
        }
        const CReflector &r = *m_list[std::size_t(source)];
        name.resize(0);
        name.append('(');
        m_codePage.AppendFromStored(name, r.m_strLetters.bytes());
        name.append(") ");
        m_codePage.AppendFromStored(name, r.m_strShortName.bytes());
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
            return Stored(r.m_strIPAddress);
        case 1:
            return FlagWord(r.m_bSendVideo);
        case 2:
            return FlagWord(r.m_bReceiveVideo);
        case 3:
            return FlagWord(r.m_bAddToMenu);
        default:
            return Stored(r.m_strConferenceID);
        }
    }

private:
    QByteArrayView Stored(const CText &text) const
    {
        m_value.resize(0);
        m_codePage.AppendFromStored(m_value, text.bytes());
        return m_value;
    }

    const ReflectorList &m_list;
    const QByteArray m_marker;
    const CClientCodePage &m_codePage;
    mutable QByteArray m_value; // scratch for a converted value
};

// Sections that the file does not hold yet. Each goes to the end of the
// file when first written; a later write of the same name (ignoring case)
// finds it and rewrites its five keys. So each holds the name as its first
// writer spelt it and the values of its last writer, and needs nothing
// more in memory until it is written out.
class NewSections
{
public:
    explicit NewSections(const SectionSource &source) : m_source(source) {}

    void Reserve(std::size_t count)
    {
        m_sections.reserve(count);
        m_index.Reserve(count);
    }

    void Write(const CFoldedName &name, int source)
    {
        const int found = m_index.Find(name, [&](int section) {
            m_source.Name(m_sections[std::size_t(section)].first, m_candidate);
            return MatchesFolded(OneLine(m_candidate), name.folded(), &m_source.CodePage());
        });
        if (found >= 0) {
            m_sections[std::size_t(found)].last = source;
            return;
        }
        m_index.Insert(name, int(m_sections.size()));
        m_sections.push_back({source, source});
    }

    // Writes them in the order they were added, after `separator`; each
    // further one after a blank line, as the previous ends in a key.
    bool WriteTo(QIODevice &out, QByteArray separator) const
    {
        if (m_sections.empty())
            return true;
        QByteArray chunk = std::move(separator);
        chunk.reserve(kChunkSize + 4096);
        QByteArray name;
        bool first = true;
        for (const Section &section : m_sections) {
            if (!first)
                chunk.append("\r\n");
            first = false;
            m_source.Name(section.first, name);
            chunk.append('[');
            AppendOneLine(chunk, name);
            chunk.append("]\r\n");
            for (int key = 0; key < kKeyCount; ++key) {
                IniLine::AppendKeyLine(chunk, kKeyNames[key], m_source.Value(section.last, key));
                chunk.append("\r\n");
            }
            if (chunk.size() >= kChunkSize && !Flush(out, chunk))
                return false;
        }
        return Flush(out, chunk);
    }

private:
    struct Section {
        int first; // whose spelling of the name the header keeps
        int last;  // whose values the keys hold
    };

    static bool Flush(QIODevice &out, QByteArray &chunk)
    {
        const bool ok = out.write(chunk) == chunk.size();
        chunk.resize(0); // keeps the capacity for the next chunk
        return ok;
    }

    const SectionSource &m_source;
    std::vector<Section> m_sections;
    CFoldedNameIndex m_index;
    QByteArray m_candidate; // scratch for names being compared
};

} // namespace

namespace PhonebookExport {

QByteArray MarkerSection(const DateTimeStamp &stamp)
{
    return "_LDX List " + stamp.date + ' ' + stamp.time + '_';
}

bool Merge(QIODevice &out, QByteArray existing, const ReflectorList &list, const DateTimeStamp &stamp,
           const CClientCodePage &codePage)
{
    // Sections the file holds are written in place, key by key. The others
    // all go after the file's last line, so they are kept apart and written
    // out last, straight from the records.
    CProfileFile phonebook(std::move(existing), &codePage);
    const SectionSource source(list, stamp, codePage);
    NewSections newSections(source);
    newSections.Reserve(list.size() + 1);
    const std::vector<CProfileFile::Key> keys(std::begin(kKeyNames), std::end(kKeyNames));
    QByteArray name;
    CFoldedName folded;
    auto write = [&](int index) {
        source.Name(index, name);
        folded.Set(name, &codePage);
        const int section = phonebook.FindSection(folded);
        if (section < 0) {
            newSections.Write(folded, index);
            return;
        }
        for (int key = 0; key < kKeyCount; ++key)
            phonebook.Write(section, keys[std::size_t(key)], source.Value(index, key));
    };
    write(kMarker);
    for (std::size_t i = 0; i < list.size(); ++i)
        if (list[i]->m_bRunning)
            write(int(i));

    // The file as it will stand is known only now: what a new section
    // follows depends on its last line.
    return phonebook.WriteTo(out) && newSections.WriteTo(out, phonebook.SeparatorBeforeNewSection());
}

bool Export(const QString &path, const ReflectorList &list, const DateTimeStamp &stamp,
            const CClientCodePage &codePage, QString *error)
{
    QString tooLarge;
    const bool written = RewriteFileSafely(path, [&](QIODevice &existing, QIODevice &out) {
        if (existing.size() > kMaxPhonebookSize) {
            tooLarge = QStringLiteral("the file is too large (%1 bytes, at most %2)").arg(existing.size()).arg(kMaxPhonebookSize);
            return false;
        }
        QByteArray contents = existing.readAll();
        return contents.size() == existing.size() && Merge(out, std::move(contents), list, stamp, codePage);
    }, error);
    if (!written && error && !tooLarge.isEmpty())
        *error = tooLarge;
    return written;
}

} // namespace PhonebookExport

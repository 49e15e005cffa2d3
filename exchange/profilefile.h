#pragma once

#include "exchange/foldednames.h"

#include <QByteArray>
#include <QByteArrayView>

#include <cstdint>
#include <vector>

class QIODevice;

// A profile (INI) file held in memory, so that any number of key writes
// cost one read and one write of the file. The result is exactly what one
// profile write per key, in the same order, would leave in the file:
//
// - A section header is a line "[name]", with white space allowed around
//   it; text after the last ']' is not part of the name. A section is found by name ignoring case; of two sections with the
//   same name, the first is the one written. A missing section is appended
//   at the end of the file, after a line break if the last line has none,
//   and after a blank line unless the file is empty or already ends in one.
// - A key is found within its section ignoring case and the white space
//   around its name; a line without '=' whose text is the key counts as it;
//   a comment line (starting with ';') never does. Of two equal keys the
//   first is the one written.
// - A found key's line becomes "name=value", keeping the file's spelling
//   of the name. A missing key goes right after the last non-blank line of
//   its section.
// - Every other line stays byte for byte as it was, line ending included.
//   Lines written end in CR LF. A UTF-8 byte order mark is kept, and does
//   not hide the first line from these rules.
//
// CR and LF in names and values are written as spaces, so that no write
// can add lines or sections. Key names hold no '=' and do not start with
// ';' or '['.
class CProfileFile
{
public:
    // A key name, prepared once for any number of writes.
    class Key
    {
    public:
        explicit Key(QByteArrayView name);

    private:
        friend class CProfileFile;
        QByteArray m_name;
        CFoldedName m_folded;
    };

    CProfileFile() = default;
    // Takes the bytes of an existing file.
    explicit CProfileFile(QByteArray contents);

    // The section of that name, or -1.
    int FindSection(const CFoldedName &name) const;
    // The section of that name, appended when there is none; answers a
    // handle for Write().
    int Section(QByteArrayView name);
    void Write(int section, const Key &key, QByteArrayView value);
    // One profile write: Section() then Write().
    void WriteString(QByteArrayView section, QByteArrayView key, QByteArrayView value);

    // What a section appended to the file as it now stands would follow:
    // a line break when the last line has none, and a blank line unless
    // the file is empty or ends in one.
    QByteArray SeparatorBeforeNewSection() const;

    // The whole file as it now stands.
    QByteArray Contents() const;
    // Writes Contents() to `device`; false when a write failed.
    bool WriteTo(QIODevice &device) const;

private:
    // A line's bytes, its terminator included, are a slice of the original
    // file (offset >= 0) or of the bytes added since (at ~offset). Lines are
    // chained in file order, so inserting one costs the same anywhere.
    struct Line {
        qint64 offset;
        int32_t size;
        int32_t next;
    };
    struct SectionEntry {
        int32_t header;
        int32_t lastNonBlank;
        int32_t firstKey;
        int32_t lastKey;
    };
    // Keys of a section, chained in file order, with the low bits of the
    // hash of their folded name.
    struct KeyEntry {
        uint32_t hash;
        int32_t line;
        int32_t next;
    };

    void Parse();
    QByteArrayView Bytes(int line) const;
    // The line's text without its terminator, nor the byte order mark.
    QByteArrayView Text(int line) const;
    bool IsBlank(int line) const;
    // Points the line at the bytes added since `start`.
    void SetAddedBytes(int line, qsizetype start);
    int NewLine(qsizetype start);
    void InsertAfter(int after, int line);
    void Append(int line);
    void EnsureLineBreak(int line);
    void RoomToAdd(qsizetype bytes);
    void AddKey(SectionEntry &section, uint64_t hash, int line);
    int AddSection(int header, const CFoldedName &name);
    template <typename Sink> bool ForEachRun(Sink &&sink) const;

    QByteArray m_source;
    QByteArray m_added;
    std::vector<Line> m_lines;
    int32_t m_first = -1;
    int32_t m_last = -1;
    std::vector<SectionEntry> m_sections;
    std::vector<KeyEntry> m_keys;
    CFoldedNameIndex m_sectionIndex;
    CFoldedName m_lookup; // scratch for the name being looked up
};

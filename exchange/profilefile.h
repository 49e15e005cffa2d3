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
//   it; text after the last ']' is not part of the name. A section is found
//   by name ignoring case; of two sections with the same name, the first is
//   the one written. Sections the file lacks go after its last line, after
//   SeparatorBeforeNewSection(): the caller writes them.
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
//
// Memory: besides the file's bytes, 8 bytes and an index slot per section
// header, and a little per section written to; nothing per other line, so
// that a file of any shape costs a few times its size at most.
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

    // Takes the bytes of an existing file. Section names compare as they
    // read in `sectionCodePage` when one is given (see FoldCase).
    explicit CProfileFile(QByteArray contents, const CClientCodePage *sectionCodePage = nullptr);

    // The section of that name (folded with the section code page), or -1:
    // a handle for Write().
    int FindSection(const CFoldedName &name) const;
    void Write(int section, const Key &key, QByteArrayView value);

    // What a section appended to the file as it now stands would follow:
    // a line break when the last line has none, and a blank line unless
    // the file is empty or ends in one.
    QByteArray SeparatorBeforeNewSection() const;

    // Writes the whole file as it now stands to `device`; false when a
    // write failed.
    bool WriteTo(QIODevice &device) const;

private:
    // A line written, as a slice of m_lines.
    struct Span {
        qint64 offset;
        qint64 size;
    };
    // Where a written key's line is: a line of the file (by offset) that
    // `line` rewrites, or a line added to its section.
    struct KeyPlace {
        QByteArray folded;
        qint64 fileLine; // -1: added
        Span line;
    };
    // A key line of a section, found when the section was first
    // written to: the low bits of its folded name's hash, and its offset.
    struct KeyLine {
        uint32_t hash;
        qint64 offset;
    };
    static constexpr std::size_t kRememberedKeyLines = 8;
    // What a section written to holds beyond the file's bytes.
    struct WrittenSection {
        qint64 header = -1;            // the header line
        qint64 insertAt = -1;          // the end of the last non-blank line
        qint64 bodyEnd = 0;
        qint64 scanFrom = -1;          // key lines beyond keyLines start here; -1: none
        std::size_t keyLineCount = 0;
        KeyLine keyLines[kRememberedKeyLines]; // the first key lines of the section
        std::vector<Span> added;       // lines added, in order
        std::vector<KeyPlace> keys;
    };

    qint64 LineEnd(qint64 offset) const;
    // The line's text without its terminator, nor the byte order mark.
    QByteArrayView Text(qint64 offset) const;
    QByteArrayView Bytes(Span span) const { return QByteArrayView(m_lines.constData() + span.offset, span.size); }
    Span AddLine(QByteArrayView name, QByteArrayView value);
    WrittenSection &Written(int section);
    void ScanBody(WrittenSection &w) const;
    qint64 FindKeyLine(const WrittenSection &w, const CFoldedName &key) const;
    qint64 LastLineStart() const;
    // Empty, or nothing but a byte order mark: a new section starts it.
    bool HoldsNothing() const;

    QByteArray m_source;
    QByteArray m_lines;            // the bytes of every line written
    std::vector<qint64> m_headers; // file sections: offset of the header line
    std::vector<WrittenSection> m_written;
    std::vector<int32_t> m_writtenOf; // section -> m_written index, -1 while unwritten
    qint64 m_lastLine = -1;           // where the file's last line starts
    bool m_breakLastLine = false;     // the file's last line gets a line break
    bool m_endsInOurLine = false;     // the file as it now stands ends in a line written
    const CClientCodePage *m_codePage = nullptr;
    CFoldedNameIndex m_sectionIndex;
};

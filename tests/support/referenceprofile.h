#pragma once

#include "data/reflectorlist.h"

#include <QByteArray>
#include <QByteArrayList>
#include <QList>

// The phonebook merge's reference: what one profile write per key, done
// the slow and obvious way, leaves in a file. Shared by the tests and the
// merge's fuzz target, which must both agree with it.

struct ProfileWrite {
    QByteArray section;
    QByteArray key;
    QByteArray value;
};
using WriteList = QList<ProfileWrite>;

// One profile write at a time: split the whole file into lines, look for
// the section and the key from the top, change one line or insert one,
// join again. A file that starts with a UTF-16 byte order mark is UTF-16:
// its lines are read as UTF-8 and written back in UTF-16. CR LF, LF and a
// lone CR end a line.
class ReferenceProfile
{
public:
    explicit ReferenceProfile(const QByteArray &file);

    QByteArray Contents() const { return m_mark + m_lines.join(); }
    void Write(const ProfileWrite &w);
    // The names of the file's section headers, repeated ones included.
    QByteArrayList SectionNames() const;

    const QByteArray &Mark() const { return m_mark; }
    // The lines after the byte order mark as in the file, and their texts.
    const QByteArrayList &Lines() const { return m_lines; }
    QByteArray Text(int i) const;
    // A text as bytes of the file.
    QByteArray Encoded(const QByteArray &text) const;

private:
    char16_t Unit(const QByteArray &bytes, qsizetype at) const;
    bool Ended(int i) const;
    QByteArray Trimmed(int i) const;
    bool IsHeader(int i) const;
    QByteArray HeaderName(int i) const;
    void BreakLine(int i);

    QByteArray m_mark;
    int m_unitSize = 1;
    bool m_bigEndian = false;
    QByteArrayList m_lines;
};

QByteArray ApplyOneByOne(const QByteArray &file, const WriteList &writes);

// The writes an export dated `date` `time` makes, one per key, spelt out
// from the rules: the marker section, then each running record's section.
WriteList ExportWrites(const ReflectorList &list, const QByteArray &date, const QByteArray &time);

// `text` (UTF-8) as a UTF-16 phonebook: byte order mark, then the text.
QByteArray Utf16File(const QByteArray &text, bool bigEndian = false);

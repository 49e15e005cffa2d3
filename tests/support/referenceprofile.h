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
// join again.
class ReferenceProfile
{
public:
    explicit ReferenceProfile(const QByteArray &file);

    QByteArray Contents() const { return m_lines.join(); }
    void Write(const ProfileWrite &w);
    // The names of the file's section headers, repeated ones included.
    QByteArrayList SectionNames() const;

private:
    QByteArray Trimmed(int i) const;
    bool IsHeader(int i) const;
    QByteArray HeaderName(int i) const;
    void BreakLine(int i);

    QByteArrayList m_lines;
};

QByteArray ApplyOneByOne(const QByteArray &file, const WriteList &writes);

// The writes an export dated `date` `time` makes, one per key, spelt out
// from the rules: the marker section, then each running record's section.
WriteList ExportWrites(const ReflectorList &list, const QByteArray &date, const QByteArray &time);

#pragma once

#include "data/reflectorlist.h"

#include <QByteArray>
#include <QString>

class CClientCodePage;
class QIODevice;
struct DateTimeStamp;

// The client's phonebook (nickname.ini): a dated marker section and one
// section per running reflector, merged into whatever the file holds.
namespace PhonebookExport {

// "_LDX List DATE TIME_"
QByteArray MarkerSection(const DateTimeStamp &stamp);

// Writes to `out` the phonebook read from `existing` (empty for a new one)
// as it stands once the marker section, then each running reflector's
// section in list order, have been written into it, each with its five keys
// in order: exactly what one profile write per key would leave. It reads,
// matches and writes as it goes, holding the sections it has not met yet.
//
// What one profile write does, read as the client's profile functions read
// (see CPhonebookReader):
// - A section header is a line "[name]", with white space allowed around
//   it and inside the brackets; text after the last ']' is no part of the
//   name. A section is found by name ignoring case; of two sections with
//   the same name, the first is the one written. A section the file lacks
//   goes after its last line, after a blank line.
// - A key is found within its section ignoring case and the white space
//   around its name; a line without '=' whose text is the key counts as it;
//   a comment line (starting with ';') never does. Of two equal keys the
//   first is the one written.
// - A found key's line becomes "name=value", keeping the file's spelling
//   of the name. A missing key goes right after the last non-blank line of
//   its section.
// - Every other byte stays as it was, line ends and byte order mark
//   included. Lines written end in CR LF, in UTF-16 in a UTF-16 file.
//
// Names and values are written in the client's code page, and sections are
// found comparing in it; CR and LF in them are written as spaces. False
// when reading `existing` or writing to `out` failed.
bool Merge(QIODevice &existing, QIODevice &out, const ReflectorList &list, const DateTimeStamp &stamp,
           const CClientCodePage &codePage);

// Merges into the file at `path` (created when missing) and replaces it
// in one step. On failure the file is as it was and `error` says why.
bool Export(const QString &path, const ReflectorList &list, const DateTimeStamp &stamp,
            const CClientCodePage &codePage, QString *error);

} // namespace PhonebookExport

#pragma once

#include "data/reflectorlist.h"

#include <QByteArray>
#include <QString>

class QIODevice;

// One record as one line of JSON, keys in field order:
// country, letters, fullName, shortName, ipAddress, contact, email,
// conferenceId (strings), addToMenu, sendVideo, receiveVideo, running.
namespace JsonLines {

// Appends the record's line, ending in "\n". A text that is not valid
// UTF-8 is read as Windows-1252.
void AppendRecord(const CReflector &record, QByteArray &out);

// Parses one line into `record`, texts exactly as given. A missing key is
// an empty text or 0. False with `error` set on bad JSON, a wrong type, a
// zero character in a text, which the database file cannot hold, or half
// of a surrogate pair, which no text can hold.
bool ParseRecord(QByteArrayView line, CReflector &record, QString *error);

// Reads `in` to its end, one record per line, blank lines skipped: what
// `build` takes. False with `error` naming the line at the first line that
// does not parse or is longer than 16 MiB, or when reading fails.
bool ReadRecords(QIODevice &in, ReflectorList &out, QString *error);

} // namespace JsonLines

#pragma once

#include "data/reflector.h"

#include <QByteArray>
#include <QString>

// One record as one line of JSON, keys in field order:
// country, letters, fullName, shortName, ipAddress, contact, email,
// conferenceId (strings), addToMenu, sendVideo, receiveVideo, running.
namespace JsonLines {

// Appends the record's line, ending in "\n". Bytes that are not valid
// UTF-8 appear as the Latin-1 character of the same value.
void AppendRecord(const CReflector &record, QByteArray &out);

// Parses one line into `record`, texts exactly as given. A missing key is
// an empty text or 0. False with `error` set on bad JSON, a wrong type or
// a zero character in a text, which the database file cannot hold.
bool ParseRecord(QByteArrayView line, CReflector &record, QString *error);

} // namespace JsonLines

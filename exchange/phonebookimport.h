#pragma once

#include <QByteArray>
#include <QString>

class CClientCodePage;
class QIODevice;
struct ImportedReflectors;

// Reads the client's phonebook as File > Export writes it, decoded as the
// client reads it (CPhonebookReader: UTF-16 after its byte order mark, else
// the client's code page; any line end). Each section with an "IP" key
// becomes a reflector, running: "(CC) Short name" gives
// the country code and the short name (the full name too, for a new
// reflector); the country comes from the country table by code, or is the
// code itself when the table lacks it. A section named otherwise gives
// its whole name as the short name and the code "??". The keys "Add To
// Menu", "Send Video", "Receive Video" ("Yes" or "No", any letter case) and
// "ConferenceID" give the rest. Keys are found as the client finds them:
// the first of each name, ignoring case. The export's own marker sections
// "[_LDX List ..._]" and sections without an address are skipped and
// counted; lines that are neither sections nor keys are ignored, as the
// client ignores them. A flag other than Yes or No refuses the whole file.
namespace PhonebookImport {

// Texts come out in UTF-8. A file refused leaves `out` empty.
bool Read(QIODevice &file, const CClientCodePage &codePage, ImportedReflectors &out, QString *error);
bool Read(const QByteArray &bytes, const CClientCodePage &codePage, ImportedReflectors &out, QString *error);

} // namespace PhonebookImport

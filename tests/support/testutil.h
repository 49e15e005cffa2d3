#pragma once

#include "data/reflectorlist.h"
#include "data/reflectorvalues.h"

#include <QByteArray>
#include <QByteArrayList>
#include <QList>
#include <QString>
#include <QStringList>

#include <map>

// Bytes from a hex string such as "02 00 FF FF"; blanks are ignored.
QByteArray Hex(const char *hex);

// A record with the given texts, taken exactly as given (not trimmed).
std::unique_ptr<CReflector> RawRecord(const char *country, const char *letters, const char *fullName,
                                      const char *shortName, const char *ip, const char *contact = "",
                                      const char *email = "", const char *id = "0", int menu = 1,
                                      int send = 1, int receive = 1, int running = 1);

// The twelve fields in field order, flags as numbers: comparisons that
// fail show every value.
QByteArrayList Fields(const ReflectorValues &values);
QByteArrayList Fields(const CReflector &record);

// A list of `n` records with distinct addresses 192.0.2.1, 192.0.2.2 ...
ReflectorList SampleList(int n);

QByteArray ReadAll(const QString &path);
// Writes `bytes` to `path`, making its folder first when missing.
bool WriteAll(const QString &path, const QByteArray &bytes);

// A printed PDF read back with poppler-utils: a field of its information
// ("Title" ...; empty when none), its page count (-1 when it cannot be
// read), and one page's text lines with runs of blanks folded.
QString PdfInfo(const QString &pdf, const QString &field);
int PdfPageCount(const QString &pdf);
QStringList PdfPageLines(const QString &pdf, int page);

// Every folder and file under `root` by relative path, with the files' bytes
// (folders as "<folder>"), for comparing a tree before and after.
using FolderTree = std::map<QString, QByteArray>;
FolderTree SnapshotTree(const QString &root);

// The records of `list` as the read-only pointers the copy and find rules
// take: all of them, or those at `rows` in the order given.
std::vector<const CReflector *> RecordPointers(const ReflectorList &list);
std::vector<const CReflector *> RecordPointers(const ReflectorList &list, const QList<int> &rows);

// True in a sanitizer build, whose shadow memory cannot live under an
// address-space limit (RLIMIT_AS).
bool UnderAddressSanitizer();

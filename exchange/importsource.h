#pragma once

#include "data/listmerge.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <vector>

// What an import reads from one file, or from pasted text: the reflectors
// in source order, each with the fields the source holds, and how many of
// its entries were no reflectors.
struct ImportedReflectors {
    std::vector<MergeCandidate> candidates;
    int skipped = 0;
};

namespace ImportSource {

enum class Kind {
    None,
    Phonebook,     // .ini: the client's phonebook, as File > Export writes it
    SemicolonList, // .csv: the semicolon list, also as a spreadsheet saves it
    ReflectorText, // .txt: the labelled blocks of Edit > Copy
};

// By the file name's extension (ini, csv, txt in any letter case).
Kind KindOf(const QString &path);
// Pasted text: a semicolon list when its first line holds a semicolon and
// does not begin with a label of the copied text; else labelled blocks.
Kind KindOfText(QByteArrayView text);

// Reads a whole source. One that cannot be read, or that holds a line
// that cannot be understood, is refused whole: false, `out` empty, and
// `error` saying why ("line 12: ...").
bool ReadFile(const QString &path, Kind kind, ImportedReflectors &out, QString *error);
// Pasted text: a semicolon list or labelled blocks.
bool ReadText(QByteArray text, Kind kind, ImportedReflectors &out, QString *error);

// For the readers: "line N: problem".
QString LineError(qint64 line, const QString &problem);
// "Yes" or "No" in any letter case, blanks around it allowed.
bool ReadFlagWord(QByteArrayView word, int *flag);
// A field as it reads in a message: quoted, cut when long.
QString Quoted(QByteArrayView field);

} // namespace ImportSource

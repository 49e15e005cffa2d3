#pragma once

#include <QByteArray>
#include <QByteArrayView>

// The lines of the INI-style files Lodex reads and edits: the client's
// phonebook, and the desktop's mimeapps.list and desktop entries. Each
// editor keeps every line it does not change byte for byte, so all it needs
// is what one line is and how a key line is written.
namespace IniLine {

enum class Kind { Blank, Comment, Header, Key };

struct Parsed {
    Kind kind = Kind::Blank;
    // Header: between the '[' and the last ']' (text after that, a comment
    // as a rule, is not part of the name). Key: before the first '=', or
    // the whole line when it has none; trimmed.
    QByteArrayView name;
    // Key: after the first '=', trimmed.
    QByteArrayView value;
    bool hasEquals = false;
};

// What `line` (without its '\n') is. White space around it does not count;
// a line starting with `commentMark` is a comment (';' in profiles, '#' in
// the desktop's files).
Parsed Parse(QByteArrayView line, char commentMark);

// Appends "name=value" without a line end. CR and LF in the value become
// spaces, so that no value can add lines or sections.
void AppendKeyLine(QByteArray &out, QByteArrayView name, QByteArrayView value);

} // namespace IniLine

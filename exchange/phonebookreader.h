#pragma once

#include "exchange/inilines.h"

#include <QByteArray>
#include <QByteArrayView>

class CClientCodePage;
class QIODevice;

// How the client's profile functions read the bytes of its phonebook
// (nickname.ini). A file that starts with a UTF-16 byte order mark (either
// byte order) is UTF-16; any other is in the client's code page, a UTF-8
// byte order mark being no part of its first line. CR LF, LF and a lone CR
// each end a line.
class CPhonebookEncoding
{
public:
    // The encoding of a file that starts with `head`: its first three bytes,
    // or all of a shorter file. `clientCodePage` must outlive it.
    CPhonebookEncoding(QByteArrayView head, const CClientCodePage &clientCodePage);

    QByteArrayView ByteOrderMark() const;
    bool IsUtf16() const { return m_form == Form::Utf16LE || m_form == Form::Utf16BE; }

    // What the texts of lines are in, and names compare in: UTF-8 for a
    // UTF-16 file, else the client's code page.
    const CClientCodePage &TextCodePage() const;

    // The length of the line `bytes` start with, its line end included;
    // -1 when the line may go on past them and `atEnd` is false.
    qsizetype LineLength(QByteArrayView bytes, bool atEnd) const;
    // The text of a line's bytes, without its line end: a view of `line`,
    // or of `scratch` when it had to be decoded. `ended` tells whether the
    // line has a line end.
    QByteArrayView Text(QByteArrayView line, QByteArray &scratch, bool *ended) const;

    // A text in the client's code page, as a text of this file.
    void AppendFromClient(QByteArray &out, QByteArrayView text) const;
    // A text of this file (see TextCodePage) as its bytes.
    void AppendEncoded(QByteArray &out, QByteArrayView text) const;

private:
    enum class Form { CodePage, Utf8Marked, Utf16LE, Utf16BE };

    char16_t Unit(QByteArrayView bytes, qsizetype at) const;

    Form m_form = Form::CodePage;
    const CClientCodePage *m_clientCodePage;
};

// A phonebook read line by line from a sequential device (the file from its
// start, or a copy of it), holding no more than the longest line and a
// megabyte. For example:
//
//     const CClientCodePage codePage = CClientCodePage::FromSettings();
//     CPhonebookReader reader(file, codePage);
//     for (CPhonebookReader::Line line; reader.Next(line);) {
//         const IniLine::Parsed parsed = ParsePhonebookLine(line.text);
//         ... reader.Encoding().TextCodePage().ToUnicode(parsed.name) ...
//     }
//     if (reader.Failed()) ... the device could not be read ...
class CPhonebookReader
{
public:
    struct Line {
        QByteArrayView bytes; // as in the file, line end included
        QByteArrayView text;  // without the line end, in Encoding().TextCodePage()
        bool ended = false;   // whether the line has a line end
    };

    // Reads the first bytes of `file` to learn its encoding; the byte order
    // mark is no part of any line. `clientCodePage` must outlive the reader.
    CPhonebookReader(QIODevice &file, const CClientCodePage &clientCodePage);

    const CPhonebookEncoding &Encoding() const { return m_encoding; }

    // The next line, its views valid until the next call; false at the end
    // of the file or when it could not be read.
    bool Next(Line &line);
    bool Failed() const { return m_failed; }

private:
    // Reads more after the bytes not consumed yet; false at the end.
    bool Fill();
    QByteArrayView Unread() const { return QByteArrayView(m_buffer.constData() + m_start, m_end - m_start); }

    QIODevice &m_file;
    QByteArray m_buffer;
    qsizetype m_start = 0; // of the bytes not consumed yet
    qsizetype m_end = 0;   // of the bytes read
    bool m_atEnd = false;
    bool m_failed = false;
    CPhonebookEncoding m_encoding;
    QByteArray m_text; // a decoded line's text
};

// A line of the phonebook as the client reads it: ';' starts a comment, and
// a section's name is trimmed inside its brackets ("[ (FR) Paris ]" names
// "(FR) Paris").
IniLine::Parsed ParsePhonebookLine(QByteArrayView text);

#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <memory>

class CPhonebookEncoding;
class QIODevice;

// Writes a phonebook to a device a megabyte at a time: its byte order mark,
// lines of the file as they were, and lines of its own in the file's
// encoding, each ending in CR LF. It knows how the phonebook written so far
// ends, which decides what a section appended to it follows.
class CPhonebookWriter
{
public:
    // Starts with the encoding's byte order mark. `encoding` must outlive it.
    CPhonebookWriter(QIODevice &out, const CPhonebookEncoding &encoding);

    // Whole lines as they were in the file; `ended` and `blank` tell whether
    // the last of them has a line end and holds nothing but white space.
    void Copy(QByteArrayView lines, bool ended, bool blank);

    // "name=value" and "[name]", texts in the encoding's text code page;
    // CR and LF in a value or a section name are written as spaces. A line
    // that has no line end gets one before them.
    void WriteKeyLine(QByteArrayView name, QByteArrayView value);
    void WriteHeader(QByteArrayView name);

    // What an appended section follows: a line end when the last line has
    // none, then a blank line unless nothing was written or it is blank.
    void SeparateNewSection();

    // Writes out the rest; false when any write failed.
    bool Finish();

private:
    // Where a line of its own goes: room for `size` bytes and a line end,
    // after a line end for a line that has none. EndLine() takes the end
    // of what was written there.
    char *BeginLine(qsizetype size);
    void EndLine(char *end, bool blank);
    void CloseLine();
    // Room for `size` more bytes in the chunk.
    char *Room(qsizetype size);
    void Put(QByteArrayView bytes);
    void Flush();

    QIODevice &m_out;
    const CPhonebookEncoding &m_encoding;
    std::unique_ptr<char[]> m_chunk; // not filled in advance: a small file touches little of it
    qsizetype m_capacity;
    qsizetype m_used = 0;
    QByteArray m_line;    // a line of its own, for encoding
    QByteArray m_encoded; // the same, encoded
    bool m_failed = false;
    bool m_empty = true;     // no line written yet
    bool m_lineOpen = false; // the last line has no line end
    bool m_lastBlank = false;
};

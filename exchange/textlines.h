#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

class QIODevice;

// Whether `bytes` start with a UTF-16 byte order mark (either order).
bool HasUtf16Mark(QByteArrayView bytes);
// Text that starts with a UTF-16 byte order mark, decoded; false with
// `error` set when it cannot be UTF-16 (an odd number of bytes).
bool DecodeUtf16(QByteArrayView bytes, QString *text, QString *error);

// The lines of a file or of pasted text, read through a window so that a
// file of any size costs little memory beyond what is made of its lines.
//
// A line ends in LF, CR LF or CR. A UTF-8 byte order mark at the start is
// dropped. Text that starts with a UTF-16 byte order mark (as Windows
// programs save "Unicode" text) is converted to UTF-8 first, as a whole.
// Otherwise the bytes are given as they are.
class CTextLines
{
public:
    explicit CTextLines(QIODevice &device);
    explicit CTextLines(QByteArray text);

    // The next line, without its end; valid until the next call. False at
    // the end, or when reading failed: Error() then says why.
    bool Next(QByteArrayView *line);
    // The number of the line last given, from 1.
    qint64 LineNumber() const { return m_lineNumber; }
    const QString &Error() const { return m_error; }

private:
    // Reads more of the device into the window; false at its end.
    bool Fill();
    void TakeByteOrderMark();

    QIODevice *m_device = nullptr;
    QByteArray m_buffer;
    qsizetype m_pos = 0;
    bool m_atEnd = false;
    bool m_started = false;
    bool m_noLineFeed = false; // none in the rest of the text
    qint64 m_lineNumber = 0;
    QString m_error;
};

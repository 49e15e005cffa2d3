#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringDecoder>
#include <QStringEncoder>

// The code page the client reads its own phonebook in: Windows-1252, or
// the encoding the setting ClientCodePage (group Settings) names when Qt
// knows it and it keeps ASCII as it is.
class CClientCodePage
{
public:
    CClientCodePage() = default; // Windows-1252
    explicit CClientCodePage(const QString &name);
    CClientCodePage(CClientCodePage &&) = default;
    CClientCodePage &operator=(CClientCodePage &&) = default;
    static CClientCodePage FromSettings();

    bool IsUtf8() const { return m_utf8; }

    // A stored text as the client reads it, appended to `out`: UTF-8 is
    // converted, each character the code page cannot hold becoming '?' as
    // Windows converts it; a text that is not UTF-8 came from the Windows
    // program in its code page and is kept as it is.
    void AppendFromStored(QByteArray &out, QByteArrayView stored) const;
    QByteArray FromStored(QByteArrayView stored) const;
    // Whether the client reads the stored text as it is: FromStored() would
    // answer its bytes.
    bool ReadsAsStored(QByteArrayView stored) const;

    // Bytes in the code page as the characters they stand for.
    QString ToUnicode(QByteArrayView bytes) const;

private:
    void AppendEncoded(QByteArray &out, QStringView text) const;
    // Whether `text` converts into the code page and reads back as it.
    bool RoundTrips(QStringView text, QByteArray *bytes) const;

    bool m_windows1252 = true;
    bool m_utf8 = false;
    // Made once and reset for each text: making a converter costs far more
    // than converting a name.
    mutable QStringEncoder m_encoder;
    mutable QStringDecoder m_decoder;
};

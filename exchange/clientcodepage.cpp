#include "exchange/clientcodepage.h"

#include "base/asciicase.h"
#include "base/settingsstore.h"
#include "data/storedtext.h"

CClientCodePage::CClientCodePage(const QString &name)
{
    // Stateless: each text is whole, and a sequence cut short at its end
    // reads as a character it lacks rather than waiting for the next one.
    QStringEncoder encoder(name.toLatin1().constData(), QStringConverter::Flag::Stateless);
    // The client's code pages are single- or multi-byte ANSI code pages:
    // ASCII must come out as it went in.
    const QString ascii = QStringLiteral("[Az09 =;]");
    if (name.isEmpty() || !encoder.isValid() || QByteArray(encoder(ascii)) != ascii.toLatin1())
        return;
    m_utf8 = QStringEncoder(QStringConverter::Utf8).name() == QString::fromLatin1(encoder.name());
    m_windows1252 = QStringEncoder("windows-1252").name() == QString::fromLatin1(encoder.name());
    m_decoder = QStringDecoder(name.toLatin1().constData(), QStringConverter::Flag::Stateless);
    m_encoder = std::move(encoder);
}

CClientCodePage CClientCodePage::FromSettings()
{
    CSettingsStore settings;
    return CClientCodePage(settings.ReadText("ClientCodePage").trimmed());
}

bool CClientCodePage::ReadsAsStored(QByteArrayView stored) const
{
    return m_utf8 || IsAscii(stored) || !StoredText::IsUtf8(stored);
}

void CClientCodePage::AppendFromStored(QByteArray &out, QByteArrayView stored) const
{
    if (ReadsAsStored(stored))
        out.append(stored);
    else
        AppendEncoded(out, QString::fromUtf8(stored));
}

QByteArray CClientCodePage::FromStored(QByteArrayView stored) const
{
    QByteArray out;
    AppendFromStored(out, stored);
    return out;
}

void CClientCodePage::AppendEncoded(QByteArray &out, QStringView text) const
{
    if (m_windows1252) {
        for (char32_t c : text.toUcs4()) {
            const unsigned char byte = StoredText::Windows1252Byte(c);
            out.append(byte || c == 0 ? char(byte) : '?');
        }
        return;
    }
    // Whatever the conversion puts for a character the code page lacks
    // (SUB, a look-alike) must read back as it, or it becomes '?': a text
    // that does not read back whole goes one character at a time.
    QByteArray bytes;
    if (RoundTrips(text, &bytes)) {
        out.append(bytes);
        return;
    }
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype length = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        out.append(RoundTrips(text.mid(i, length), &bytes) ? bytes : QByteArray("?"));
        i += length;
    }
}

bool CClientCodePage::RoundTrips(QStringView text, QByteArray *bytes) const
{
    m_encoder.resetState();
    m_decoder.resetState();
    *bytes = m_encoder(text);
    return !m_encoder.hasError() && QString(m_decoder(*bytes)) == text;
}

QString CClientCodePage::ToUnicode(QByteArrayView bytes) const
{
    if (m_windows1252)
        return StoredText::FromWindows1252(bytes);
    if (IsAscii(bytes))
        return QString::fromLatin1(bytes);
    m_decoder.resetState();
    return m_decoder(bytes);
}

#include "exchange/semicolonlist.h"

#include "base/safesave.h"
#include "data/storedtext.h"
#include "exchange/datetimestamp.h"
#include "exchange/onelinetext.h"

#include <QIODevice>

namespace {

constexpr qsizetype kChunkSize = 1 << 20;

bool WriteChunk(QIODevice &device, QByteArray &chunk)
{
    const bool ok = device.write(chunk) == chunk.size();
    chunk.resize(0); // keeps the capacity for the next chunk
    return ok;
}

} // namespace

namespace SemicolonList {

QByteArray HeaderLine(const DateTimeStamp &stamp)
{
    return "LDX2 List " + stamp.date + " @ " + stamp.time + "\r\n";
}

void AppendLine(QByteArray &out, const CReflector &reflector)
{
    // Read by people and spreadsheets: UTF-8 throughout.
    for (int i = 0; i < CReflector::kTextCount; ++i) {
        const QByteArrayView text = reflector.Text(i).bytes();
        if (StoredText::IsUtf8(text))
            AppendOneLine(out, text);
        else
            AppendOneLine(out, StoredText::ToUtf8(text));
        out.append(';');
    }
    out.append("AM:").append(FlagWord(reflector.m_bAddToMenu));
    out.append(";SV:").append(FlagWord(reflector.m_bSendVideo));
    out.append(";RV:").append(FlagWord(reflector.m_bReceiveVideo));
    out.append(";IR:").append(FlagWord(reflector.m_bRunning));
    out.append("\r\n");
}

bool Write(QIODevice &device, const ReflectorList &list, const DateTimeStamp &stamp)
{
    QByteArray chunk = HeaderLine(stamp);
    chunk.reserve(kChunkSize + 4096);
    for (const auto &reflector : list) {
        AppendLine(chunk, *reflector);
        if (chunk.size() >= kChunkSize && !WriteChunk(device, chunk))
            return false;
    }
    return WriteChunk(device, chunk);
}

bool Save(const QString &path, const ReflectorList &list, const DateTimeStamp &stamp, QString *error)
{
    return SaveFileSafely(path, [&](QIODevice &device) { return Write(device, list, stamp); }, error);
}

} // namespace SemicolonList

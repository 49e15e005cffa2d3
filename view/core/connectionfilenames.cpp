#include "view/core/connectionfilenames.h"

#include "data/reflector.h"

#include <QHash>
#include <QSet>

#include <algorithm>
#include <string>

namespace {

const QLatin1String kExtension(".cu");
const QLatin1String kDefaultStem("Reflector");
// Leaves room for " (NNNN)" and the extension within the limit.
constexpr int kMaxStemBytes = kMaxConnectionFileNameBytes - 16;

bool IsRefusedInFileName(QChar c)
{
    // Control characters and what Windows file systems refuse ("/" and NUL
    // among them), since dropped files often land on such disks.
    return c.unicode() < 0x20 || c.unicode() == 0x7F || QStringView(u"/\\:*?\"<>|").contains(c);
}

// Characters that file systems take but that have no place in a name:
// C1 controls and format characters (bidirectional embeddings, overrides
// and isolates, zero-width characters, the byte order mark...). They are
// invisible, and an override makes a file manager show the name reversed
// from there on, faking its extension. C0 controls and DEL are refused
// characters (above).
bool IsInvisibleControl(char32_t c)
{
    const QChar::Category category = QChar::category(c);
    return (category == QChar::Other_Control && c >= 0x80) || category == QChar::Other_Format;
}

QString WithoutInvisibleControls(const QString &text)
{
    // By code point: some format characters lie beyond U+FFFF.
    std::u32string kept = text.toStdU32String();
    kept.erase(std::remove_if(kept.begin(), kept.end(), IsInvisibleControl), kept.end());
    return QString::fromStdU32String(kept);
}

// The longest start of `text` whose UTF-8 form fits in `maxBytes`, never
// splitting a character.
QString LeftUtf8(const QString &text, int maxBytes)
{
    int bytes = 0;
    qsizetype end = 0;
    while (end < text.size()) {
        const bool pair = text[end].isHighSurrogate() && end + 1 < text.size() && text[end + 1].isLowSurrogate();
        const ushort u = text[end].unicode();
        const int width = pair ? 4 : u < 0x80 ? 1 : u < 0x800 ? 2 : 3;
        if (bytes + width > maxBytes)
            break;
        bytes += width;
        end += pair ? 2 : 1;
    }
    return text.left(end);
}

QString SafeStem(const CText &fullName)
{
    // Dropped first, so that what follows sees the name as it shows.
    QString stem = WithoutInvisibleControls(fullName.toQString()).trimmed();
    for (QChar &c : stem)
        if (IsRefusedInFileName(c))
            c = u'_';
    for (qsizetype i = 0; i < stem.size() && stem[i] == u'.'; ++i)
        stem[i] = u'_';
    stem = LeftUtf8(stem, kMaxStemBytes);
    return stem.isEmpty() ? QString(kDefaultStem) : stem;
}

} // namespace

QStringList ConnectionFileNames(const std::vector<const CReflector *> &records)
{
    QStringList names;
    names.reserve(qsizetype(records.size()));
    QSet<QString> taken;           // case-folded, as case-insensitive file systems compare
    QHash<QString, int> nextNumber; // per folded stem, so many equal names stay linear
    for (const CReflector *record : records) {
        const QString stem = SafeStem(record->m_strFullName);
        QString name = stem + kExtension;
        if (taken.contains(name.toCaseFolded())) {
            int &n = nextNumber[stem.toCaseFolded()];
            for (n = qMax(n, 2); taken.contains(name.toCaseFolded()); ++n)
                name = QStringLiteral("%1 (%2)").arg(stem).arg(n) + kExtension;
        }
        taken.insert(name.toCaseFolded());
        names << name;
    }
    return names;
}

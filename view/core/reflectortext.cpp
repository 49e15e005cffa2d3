#include "view/core/reflectortext.h"

#include "data/reflector.h"
#include "data/storedtext.h"
#include "resources/strings.h"


namespace {

// Labels in field order; each label after the first begins with the line
// feed that ends the line before it.
constexpr Str::Id kLabels[CReflector::ColumnCount] = {
    Str::LabelCountry,   Str::LabelLetters,      Str::LabelFullName,       Str::LabelShortName,
    Str::LabelIPAddress, Str::LabelContact,      Str::LabelEmail,          Str::LabelConferenceID,
    Str::LabelAddToMenu, Str::LabelSendVideo,    Str::LabelReceiveVideo,   Str::LabelRunning,
};

} // namespace

void AppendReflectorText(const CReflector &record, QByteArray &out)
{
    for (int i = 0; i < CReflector::kTextCount; ++i) {
        out.append(LoadString(kLabels[i]));
        // The clipboard's text is UTF-8: old Windows-1252 texts are converted.
        StoredText::AppendUtf8(out, record.Text(i).bytes());
    }
    for (int i = 0; i < 4; ++i)
        out.append(LoadString(kLabels[CReflector::kTextCount + i])).append(FlagWord(record.Flag(i)));
    out.append("\n\n");
}

QByteArrayView ReflectorTextLabel(int column)
{
    QByteArrayView label(LoadString(kLabels[column]));
    if (label.startsWith('\n'))
        label = label.sliced(1);
    return label.trimmed();
}

QByteArray ReflectorText(const std::vector<const CReflector *> &records)
{
    QByteArray text;
    for (const CReflector *record : records)
        AppendReflectorText(*record, text);
    return text;
}

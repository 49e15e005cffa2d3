#include "view/core/reflectortext.h"

#include "data/reflector.h"
#include "data/storedtext.h"
#include "resources/strings.h"

#include <iterator>

namespace {

// Labels in field order; each label after the first begins with the line
// feed that ends the line before it.
constexpr Str::Id kTextLabels[CReflector::kTextCount] = {
    Str::LabelCountry, Str::LabelLetters, Str::LabelFullName, Str::LabelShortName,
    Str::LabelIPAddress, Str::LabelContact, Str::LabelEmail, Str::LabelConferenceID,
};
constexpr Str::Id kFlagLabels[] = {Str::LabelAddToMenu, Str::LabelSendVideo, Str::LabelReceiveVideo,
                                   Str::LabelRunning};

} // namespace

void AppendReflectorText(const CReflector &record, QByteArray &out)
{
    for (int i = 0; i < CReflector::kTextCount; ++i) {
        out.append(LoadString(kTextLabels[i]));
        // The clipboard's text is UTF-8: old Windows-1252 texts are converted.
        StoredText::AppendUtf8(out, record.Text(i).bytes());
    }
    for (int i = 0; i < int(std::size(kFlagLabels)); ++i)
        out.append(LoadString(kFlagLabels[i])).append(FlagWord(record.Flag(i)));
    out.append("\n\n");
}

QByteArray ReflectorText(const std::vector<const CReflector *> &records)
{
    QByteArray text;
    for (const CReflector *record : records)
        AppendReflectorText(*record, text);
    return text;
}

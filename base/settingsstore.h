#pragma once

#include <QSettings>
#include <QString>

#include <vector>

// The per-user settings store of the program (~/.config/Quorv/Lodex.conf).
// Named explicitly so that every part reads the same store, whatever the
// running application object calls itself.
class CSettingsStore : public QSettings
{
public:
    CSettingsStore();

    static constexpr const char *kSettingsGroup = "Settings";
    static constexpr const char *kRecentFileGroup = "Recent File List";

    // A text value of group "Settings"; empty when missing. A hand-edited
    // value without quotes reads back as a list, which is joined again.
    QString ReadText(const char *key);
    void WriteText(const char *key, const QString &value);
};

// Reads up to `count` comma-separated decimal integers the way scanf reads
// "%d,%d,...": white space may precede each number, the commas must follow
// the numbers directly, and reading stops at the first mismatch. A number
// outside the 32-bit range also stops it. Answers the numbers read.
std::vector<long long> ScanIntegerList(const QString &text, int count);

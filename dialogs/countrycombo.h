#pragma once

#include "data/text.h"

#include <QComboBox>

class CCountryTable;

// The country drop-down list of both reflector dialogs: one entry per row
// of the country table, in table order, the name shown and the code kept
// with it, and possibly one more for a stored country that the table does
// not know. Tracks the country code of the record being edited, which
// follows the chosen entry.
class CCountryCombo : public QComboBox
{
    Q_OBJECT

public:
    explicit CCountryCombo(QWidget *parent = nullptr);

    // Fills the list from the table; no entry is selected afterwards.
    void Fill(CCountryTable &countries);

    // Selects the first entry whose name begins with `name`, ignoring case
    // (an empty name matches the first entry). Without a match the
    // selection and the code stay as they were. True when one was selected.
    bool SelectCountry(const CText &name);

    // Selects the country of a stored record: as SelectCountry, and when
    // no entry matches a name that is not empty, an entry of its own at the
    // top holding the stored name and code, so that OK gives both back as
    // they were unless the user picks another country. Its code becomes
    // the code.
    void SelectStoredCountry(const CText &name, const CText &code);

    // The selected entry's name, or an empty text when none is selected.
    CText SelectedName() const;

    // The code of the entry chosen last; until then, the preset one.
    const CText &Code() const { return m_code; }
    void SetCode(const CText &code) { m_code = code; }

private:
    enum Role { CodeRole = Qt::UserRole, NameBytesRole };

    // An entry showing `shown` that gives back `name` and `code` as they are.
    void InsertEntry(int index, const QString &shown, const QByteArray &name, const QByteArray &code);
    void TakeCodeOfSelection();

    CText m_code{"??"};
};

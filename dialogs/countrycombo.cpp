#include "dialogs/countrycombo.h"

#include "data/countrytable.h"

#include <QProxyStyle>
#include <QSignalBlocker>

namespace {

// Fusion, like other styles, shows the list of a combo box that cannot be
// typed into as a pop-up as tall as its entries, up to the whole screen,
// whatever maxVisibleItems says. 240 countries drop down a list of their
// own height instead, as the dialogs are laid out for.
class CDropDownListStyle : public QProxyStyle
{
public:
    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                  QStyleHintReturn *returnData) const override
    {
        return hint == SH_ComboBox_Popup ? 0 : QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

} // namespace

CCountryCombo::CCountryCombo(QWidget *parent) : QComboBox(parent)
{
    auto *style = new CDropDownListStyle;
    style->setParent(this);
    setStyle(style);
    setEditable(false);
    setMaxVisibleItems(16);
    connect(this, &QComboBox::currentIndexChanged, this, &CCountryCombo::TakeCodeOfSelection);
}

void CCountryCombo::Fill(CCountryTable &countries)
{
    // A plain combo box selects its first entry by itself as soon as it has
    // one; that must not count as the user's choice.
    const QSignalBlocker quiet(this);
    clear();
    const char *code = nullptr;
    const char *name = nullptr;
    for (bool more = countries.GetFirst(&code, &name); more; more = countries.GetNext(&code, &name)) {
        // The table's own bytes, so that a name goes back into the record
        // exactly as the table spells it.
        InsertEntry(count(), QString::fromUtf8(name), QByteArray(name), QByteArray(code));
    }
    setCurrentIndex(-1);
}

bool CCountryCombo::SelectCountry(const CText &name)
{
    const QString wanted = name.toQString();
    for (int i = 0; i < count(); ++i) {
        if (itemText(i).startsWith(wanted, Qt::CaseInsensitive)) {
            setCurrentIndex(i);
            // Selecting the entry already selected emits nothing.
            TakeCodeOfSelection();
            return true;
        }
    }
    return false;
}

void CCountryCombo::SelectStoredCountry(const CText &name, const CText &code)
{
    if (SelectCountry(name) || name.isEmpty())
        return;
    // A name from an older table, another program or another code page:
    // what the user did not change must not be lost.
    {
        const QSignalBlocker quiet(this); // the entry is not complete yet
        InsertEntry(0, name.toQString(), name.toByteArray(), code.toByteArray());
    }
    setCurrentIndex(0);
    TakeCodeOfSelection();
}

void CCountryCombo::InsertEntry(int index, const QString &shown, const QByteArray &name, const QByteArray &code)
{
    insertItem(index, shown);
    setItemData(index, code, CodeRole);
    setItemData(index, name, NameBytesRole);
}

CText CCountryCombo::SelectedName() const
{
    return currentIndex() < 0 ? CText() : CText(currentData(NameBytesRole).toByteArray());
}

void CCountryCombo::TakeCodeOfSelection()
{
    if (currentIndex() >= 0)
        m_code = CText(currentData(CodeRole).toByteArray());
}

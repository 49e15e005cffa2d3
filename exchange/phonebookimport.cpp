#include "exchange/phonebookimport.h"

#include "data/countrytable.h"
#include "data/reflectorvalues.h"
#include "exchange/clientcodepage.h"
#include "exchange/importsource.h"
#include "exchange/phonebookreader.h"

#include <QBuffer>
#include <QHash>

namespace {

// The keys a reflector's section holds, in the order a record's fields
// hold them.
enum Key { KeyIP, KeyConferenceID, KeyAddToMenu, KeySendVideo, KeyReceiveVideo, KeyCount };
constexpr const char *kKeyNames[KeyCount] = {"IP", "ConferenceID", "Add To Menu", "Send Video", "Receive Video"};
constexpr int kKeyColumns[KeyCount] = {CReflector::ColIPAddress, CReflector::ColConferenceID,
                                       CReflector::ColAddToMenu, CReflector::ColSendVideo,
                                       CReflector::ColReceiveVideo};

// A section read so far, its name and values in UTF-8: the first line of
// each of its keys.
struct Section {
    QByteArray name;
    QByteArray values[KeyCount];
    qint64 lines[KeyCount] = {};
};

bool IsMarker(const QByteArray &name)
{
    return name.size() > 10 && name.first(10).compare("_LDX List ", Qt::CaseInsensitive) == 0 && name.endsWith('_');
}

// Country names by code, from the program's country table.
class CCountryNames
{
public:
    CCountryNames()
    {
        CCountryTable table;
        table.Load();
        const char *code = nullptr;
        const char *name = nullptr;
        for (bool more = table.GetFirst(&code, &name); more; more = table.GetNext(&code, &name))
            m_names.insert(QByteArray(code), QByteArray(name));
    }

    // The name, or the code itself as a country the table does not know.
    QByteArray Name(const QByteArray &code) const { return m_names.value(code, code); }

private:
    QHash<QByteArray, QByteArray> m_names;
};

class CSectionReader
{
public:
    explicit CSectionReader(ImportedReflectors &out) : m_out(out) {}

    // Takes a section once all its lines are read; false with `error` set
    // when one of its keys cannot be understood.
    bool Take(const Section &section, QString *error)
    {
        if (IsMarker(section.name) || section.values[KeyIP].isEmpty()) {
            ++m_out.skipped;
            return true;
        }
        ReflectorValues values;
        unsigned fields = FieldMask::Bit(CReflector::ColShortName) | FieldMask::Bit(CReflector::ColIPAddress)
                          | FieldMask::Bit(CReflector::ColRunning);
        QByteArray letters = "??";
        QByteArray shortName = section.name;
        const qsizetype close = section.name.indexOf(')');
        if (section.name.startsWith('(') && close > 0) {
            letters = section.name.sliced(1, close - 1);
            shortName = section.name.sliced(close + 1).trimmed();
            fields |= FieldMask::Bit(CReflector::ColCountry) | FieldMask::Bit(CReflector::ColLetters);
        }
        values.text[CReflector::ColCountry] = m_countries.Name(letters);
        values.text[CReflector::ColLetters] = letters;
        values.text[CReflector::ColShortName] = shortName;
        values.text[CReflector::ColFullName] = shortName;
        // What Add starts a reflector with, for keys the section lacks.
        values.text[CReflector::ColConferenceID] = "0";
        for (int &flag : values.flag)
            flag = 1;
        for (int key = 0; key < KeyCount; ++key) {
            if (section.lines[key] == 0)
                continue;
            const int column = kKeyColumns[key];
            fields |= FieldMask::Bit(column);
            if (column < CReflector::kTextCount) {
                values.text[column] = section.values[key];
            } else if (!ImportSource::ReadFlagWord(section.values[key], &values.flag[column - CReflector::kTextCount])) {
                *error = ImportSource::LineError(section.lines[key],
                                                 QStringLiteral("%1 for \"%2\", where Yes or No belongs")
                                                     .arg(ImportSource::Quoted(section.values[key]),
                                                          QLatin1String(kKeyNames[key])));
                return false;
            }
        }
        m_out.candidates.push_back({values.MakeRecord(), fields});
        return true;
    }

private:
    ImportedReflectors &m_out;
    CCountryNames m_countries;
};

// A name or value of the phonebook as a stored text: UTF-8.
QByteArray Stored(const CClientCodePage &textCodePage, QByteArrayView text)
{
    return textCodePage.IsUtf8() ? text.toByteArray() : textCodePage.ToUnicode(text).toUtf8();
}

} // namespace

namespace PhonebookImport {

bool Read(QIODevice &file, const CClientCodePage &codePage, ImportedReflectors &out, QString *error)
{
    CPhonebookReader phonebook(file, codePage);
    const CClientCodePage &textCodePage = phonebook.Encoding().TextCodePage();
    CSectionReader reader(out);
    Section section;
    bool inSection = false;
    qint64 number = 0;
    bool read = true;
    for (CPhonebookReader::Line line; read && phonebook.Next(line);) {
        ++number;
        const IniLine::Parsed parsed = ParsePhonebookLine(line.text);
        if (parsed.kind == IniLine::Kind::Header) {
            read = !inSection || reader.Take(section, error);
            section = Section();
            section.name = Stored(textCodePage, parsed.name);
            inSection = true;
            continue;
        }
        if (parsed.kind != IniLine::Kind::Key || !parsed.hasEquals || !inSection)
            continue;
        for (int key = 0; key < KeyCount; ++key) {
            if (section.lines[key] == 0 && parsed.name.compare(kKeyNames[key], Qt::CaseInsensitive) == 0) {
                section.values[key] = Stored(textCodePage, parsed.value);
                section.lines[key] = number;
            }
        }
    }
    if (read && phonebook.Failed()) {
        *error = file.errorString();
        read = false;
    }
    read = read && (!inSection || reader.Take(section, error));
    if (!read)
        out = ImportedReflectors();
    return read;
}

bool Read(const QByteArray &bytes, const CClientCodePage &codePage, ImportedReflectors &out, QString *error)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return Read(buffer, codePage, out, error);
}

} // namespace PhonebookImport

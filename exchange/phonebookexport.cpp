#include "exchange/phonebookexport.h"

#include "data/safesave.h"
#include "exchange/datestamp.h"
#include "exchange/profilefile.h"

#include <QFile>

#include <limits>

namespace {

// The five keys of every section, in the order they are written.
struct PhonebookKeys {
    CProfileFile::Key ip{"IP"};
    CProfileFile::Key sendVideo{"Send Video"};
    CProfileFile::Key receiveVideo{"Receive Video"};
    CProfileFile::Key addToMenu{"Add To Menu"};
    CProfileFile::Key conferenceID{"ConferenceID"};
};

void WriteSection(CProfileFile &phonebook, const PhonebookKeys &keys, QByteArrayView name, QByteArrayView ip,
                  int sendVideo, int receiveVideo, int addToMenu, QByteArrayView conferenceID)
{
    const int section = phonebook.Section(name);
    phonebook.Write(section, keys.ip, ip);
    phonebook.Write(section, keys.sendVideo, FlagWord(sendVideo));
    phonebook.Write(section, keys.receiveVideo, FlagWord(receiveVideo));
    phonebook.Write(section, keys.addToMenu, FlagWord(addToMenu));
    phonebook.Write(section, keys.conferenceID, conferenceID);
}

// Lines are counted and sized in 32 bits in memory; leave room for the
// lines the export adds.
constexpr qint64 kMaxPhonebookSize = std::numeric_limits<int32_t>::max() / 2;

bool ReadExisting(const QString &path, QByteArray *contents, QString *error)
{
    QFile file(path);
    if (!file.exists())
        return true;
    if (file.size() > kMaxPhonebookSize) {
        *error = QStringLiteral("the file is too large for a phonebook");
        return false;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        *error = file.errorString();
        return false;
    }
    *contents = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        *error = file.errorString();
        return false;
    }
    return true;
}

} // namespace

namespace PhonebookExport {

QByteArray MarkerSection(const DateTimeStamp &stamp)
{
    return "_LDX List " + stamp.date + ' ' + stamp.time + '_';
}

QByteArray ReflectorSection(const CReflector &reflector)
{
    QByteArray name;
    name.reserve(qsizetype(reflector.m_strLetters.size() + reflector.m_strShortName.size() + 3));
    name.append('(').append(reflector.m_strLetters.bytes()).append(") ").append(reflector.m_strShortName.bytes());
    return name;
}

void Merge(CProfileFile &phonebook, const ReflectorList &list, const DateTimeStamp &stamp)
{
    const PhonebookKeys keys;
    WriteSection(phonebook, keys, MarkerSection(stamp), "0.0.0.0", 0, 0, 1, "0");
    for (const auto &r : list) {
        if (r->m_bRunning)
            WriteSection(phonebook, keys, ReflectorSection(*r), r->m_strIPAddress.bytes(), r->m_bSendVideo,
                         r->m_bReceiveVideo, r->m_bAddToMenu, r->m_strConferenceID.bytes());
    }
}

bool Export(const QString &path, const ReflectorList &list, const DateTimeStamp &stamp, QString *error)
{
    QString reason;
    QByteArray contents;
    bool written = false;
    if (ReadExisting(path, &contents, &reason)) {
        CProfileFile phonebook(std::move(contents));
        Merge(phonebook, list, stamp);
        written = SaveFileSafely(path, [&phonebook](QIODevice &device) { return phonebook.WriteTo(device); }, &reason);
    }
    if (!written && error)
        *error = reason;
    return written;
}

} // namespace PhonebookExport

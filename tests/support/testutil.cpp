#include "support/testutil.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

QByteArray Hex(const char *hex)
{
    QByteArray compact(hex);
    compact.replace(' ', "");
    compact.replace('\n', "");
    return QByteArray::fromHex(compact);
}

std::unique_ptr<CReflector> RawRecord(const char *country, const char *letters, const char *fullName,
                                      const char *shortName, const char *ip, const char *contact,
                                      const char *email, const char *id, int menu, int send,
                                      int receive, int running)
{
    auto r = std::make_unique<CReflector>();
    r->m_strCountry = country;
    r->m_strLetters = letters;
    r->m_strFullName = fullName;
    r->m_strShortName = shortName;
    r->m_strIPAddress = ip;
    r->m_strContact = contact;
    r->m_strEmail = email;
    r->m_strConferenceID = id;
    r->m_bAddToMenu = menu;
    r->m_bSendVideo = send;
    r->m_bReceiveVideo = receive;
    r->m_bRunning = running;
    return r;
}

QByteArrayList Fields(const ReflectorValues &values)
{
    QByteArrayList fields;
    for (const CText &text : values.text)
        fields << text.toByteArray();
    for (int flag : values.flag)
        fields << QByteArray::number(flag);
    return fields;
}

QByteArrayList Fields(const CReflector &record)
{
    return Fields(ReflectorValues::FromRecord(record));
}

ReflectorList SampleList(int n)
{
    ReflectorList list;
    for (int i = 0; i < n; ++i) {
        const QByteArray ip = "192.0.2." + QByteArray::number(i + 1);
        const QByteArray name = "Reflector " + QByteArray::number(i + 1);
        const QByteArray shortName = "R" + QByteArray::number(i + 1);
        list.push_back(RawRecord("France", "FR", name.constData(), shortName.constData(), ip.constData()));
    }
    return list;
}

QByteArray ReadAll(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

bool WriteAll(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

namespace {

QString RunTool(const QString &program, const QStringList &args)
{
    QProcess process;
    process.start(program, args);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return QString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

} // namespace

QString PdfInfo(const QString &pdf, const QString &field)
{
    const QString info = RunTool(QStringLiteral("pdfinfo"), {pdf});
    const QString label = field + QLatin1Char(':');
    for (const QString &line : info.split(QLatin1Char('\n')))
        if (line.startsWith(label))
            return line.mid(label.size()).trimmed();
    return QString();
}

int PdfPageCount(const QString &pdf)
{
    bool ok = false;
    const int pages = PdfInfo(pdf, QStringLiteral("Pages")).toInt(&ok);
    return ok ? pages : -1;
}

QStringList PdfPageLines(const QString &pdf, int page)
{
    const QString n = QString::number(page);
    const QString text = RunTool(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), QStringLiteral("-f"), n,
                                                               QStringLiteral("-l"), n, pdf, QStringLiteral("-")});
    QStringList lines;
    for (const QString &line : text.split(QLatin1Char('\n')))
        if (!line.simplified().isEmpty())
            lines << line.simplified();
    return lines;
}

FolderTree SnapshotTree(const QString &root)
{
    FolderTree tree;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        tree[QDir(root).relativeFilePath(path)] = it.fileInfo().isDir() ? QByteArray("<folder>") : ReadAll(path);
    }
    return tree;
}

std::vector<const CReflector *> RecordPointers(const ReflectorList &list)
{
    std::vector<const CReflector *> records;
    for (const auto &record : list)
        records.push_back(record.get());
    return records;
}

std::vector<const CReflector *> RecordPointers(const ReflectorList &list, const QList<int> &rows)
{
    std::vector<const CReflector *> records;
    for (int row : rows)
        records.push_back(list.at(std::size_t(row)).get());
    return records;
}

bool UnderAddressSanitizer()
{
#if defined(__SANITIZE_ADDRESS__)
    return true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
    return true;
#else
    return false;
#endif
#else
    return false;
#endif
}

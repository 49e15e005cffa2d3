#include "bench/benchdata.h"

#include "data/ldxfile.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <cstdio>
#include <unistd.h>

namespace {

const char *const kCountries[] = {"France", "Germany", "Canada", "Japan", "Brazil", "Norway", "Kenya", "Chile"};
const char *const kLetters[] = {"FR", "DE", "CA", "JP", "BR", "NO", "KE", "CL"};

QByteArray Pad(QByteArray text, int length)
{
    while (text.size() < length)
        text += char('a' + text.size() % 26);
    return text.left(length);
}

} // namespace

ReflectorList RealisticList(int n)
{
    ReflectorList list;
    list.reserve(std::size_t(n));
    for (int i = 0; i < n; ++i) {
        const int k = i % 8;
        const QByteArray num = QByteArray::number(i);
        const QByteArray ip = QByteArray::number(10 + i % 200) + "." + QByteArray::number((i / 200) % 256) + "."
                              + QByteArray::number((i / 51200) % 256) + "." + QByteArray::number(i % 250 + 1);
        list.push_back(std::make_unique<CReflector>(
            kCountries[k], kLetters[k], Pad("Reflector " + num + " of the ", 25), Pad("R" + num, 8), Pad(ip, 13),
            Pad("Contact " + num, 12), Pad("op" + num + "@example.org", 20), QByteArray::number(i % 1000),
            1, i % 2, 1, i % 3 != 0));
    }
    return list;
}

namespace {

QString ScratchFile(const QString &name, int n, bool running)
{
    const QString dir = QDir::temp().filePath(QStringLiteral("lodex-bench"));
    QDir().mkpath(dir);
    const QString path = QDir(dir).filePath(QStringLiteral("%1-%2.ldx").arg(name).arg(n));
    if (!QFile::exists(path)) {
        ReflectorList list = RealisticList(n);
        for (auto &record : list)
            record->m_bRunning = record->m_bRunning || running;
        LdxFile::Save(path, list, nullptr);
    }
    return path;
}

} // namespace

QString RealisticFile(int n)
{
    return ScratchFile(QStringLiteral("realistic"), n, false);
}

QString RunningFile(int n)
{
    return ScratchFile(QStringLiteral("running"), n, true);
}

std::size_t ResidentBytes()
{
    long pages = 0, resident = 0;
    if (FILE *f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(f);
    }
    return std::size_t(resident) * std::size_t(sysconf(_SC_PAGESIZE));
}

std::size_t PeakResidentBytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (QByteArray line = status.readLine(); !line.isEmpty(); line = status.readLine())
        if (line.startsWith("VmHWM:"))
            return std::size_t(line.mid(6).trimmed().split(' ').value(0).toULongLong()) * 1024;
    return 0;
}

void ResetPeakResident()
{
    QFile clearRefs(QStringLiteral("/proc/self/clear_refs"));
    if (clearRefs.open(QIODevice::WriteOnly))
        clearRefs.write("5");
}

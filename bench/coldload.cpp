// Loads one database file once and prints the milliseconds it took and the
// page faults it caused; scripts/bench.sh runs it in fresh processes.
//     coldload [N] [running]
// N realistic records (1,000,000 by default), all running with "running":
// the file is written into the bench's scratch folder on the first run.
#include "bench/benchdata.h"
#include "data/ldxfile.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <cstdio>
#include <sys/resource.h>

static long MinorFaults()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_minflt;
}

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int n = argc > 1 ? std::atoi(argv[1]) : 1000000;
    const bool running = argc > 2 && QByteArray(argv[2]) == "running";
    const QString path = running ? RunningFile(n) : RealisticFile(n);
    const long faults = MinorFaults();
    QElapsedTimer timer;
    timer.start();
    ReflectorList list;
    if (LdxFile::Load(path, list, nullptr) != OpenResult::Opened)
        return 1;
    std::printf("%lld ms %ld faults %zu records\n", timer.elapsed(), MinorFaults() - faults, list.size());
    return 0;
}

// Loading and saving the database file at 10k, 100k and 1M records, with
// reading the raw file as the yardstick.
#include "bench/benchdata.h"
#include "data/ldxfile.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <malloc.h>

static void BM_CatFile(benchmark::State &state)
{
    const QString path = RealisticFile(int(state.range(0)));
    for (auto _ : state) {
        QFile f(path);
        f.open(QIODevice::ReadOnly);
        benchmark::DoNotOptimize(f.readAll());
    }
    state.counters["fileMB"] = double(QFile(path).size()) / 1e6;
}
BENCHMARK(BM_CatFile)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();

static void BM_Load(benchmark::State &state)
{
    const QString path = RealisticFile(int(state.range(0)));
    for (auto _ : state) {
        ReflectorList list;
        LdxFile::Load(path, list, nullptr);
        benchmark::DoNotOptimize(list.data());
        state.PauseTiming();
        list.clear();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_Load)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();

static void BM_Save(benchmark::State &state)
{
    const ReflectorList list = RealisticList(int(state.range(0)));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("save.ldx"));
    for (auto _ : state)
        LdxFile::Save(path, list, nullptr);
}
BENCHMARK(BM_Save)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();

// Memory of a loaded list against the size of its file.
static void BM_LoadedMemory(benchmark::State &state)
{
    const int n = int(state.range(0));
    const QString path = RealisticFile(n);
    const double fileBytes = double(QFile(path).size());
    for (auto _ : state) {
        malloc_trim(0);
        const std::size_t before = ResidentBytes();
        ReflectorList list;
        LdxFile::Load(path, list, nullptr);
        malloc_trim(0);
        const std::size_t after = ResidentBytes();
        state.counters["bytesPerRecord"] = double(after - before) / n;
        state.counters["timesFileSize"] = double(after - before) / fileBytes;
        state.counters["fileBytesPerRecord"] = fileBytes / n;
    }
}
BENCHMARK(BM_LoadedMemory)->Arg(1000000)->Iterations(1)->Unit(benchmark::kMillisecond);

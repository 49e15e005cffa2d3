// Import into an empty document: a semicolon list of a million lines and a
// phonebook of 100,000 sections, in time and in memory against the file.
#include "bench/benchdata.h"
#include "data/lodexdoc.h"
#include "exchange/clientcodepage.h"
#include "exchange/datetimestamp.h"
#include "exchange/phonebookexport.h"
#include "exchange/semicolonlist.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <benchmark/benchmark.h>

#include <malloc.h>

namespace {

const DateTimeStamp kStamp{"12/27/24", "2:05 PM"};

// The export of `n` realistic records, all running, written once.
QString ExportedFile(int n, const char *extension)
{
    const QString path = QDir::temp().filePath(QStringLiteral("lodex-bench/realistic-%1.%2").arg(n).arg(QLatin1String(extension)));
    if (QFile::exists(path))
        return path;
    QDir().mkpath(QFileInfo(path).path());
    ReflectorList list = RealisticList(n);
    for (auto &r : list)
        r->m_bRunning = 1;
    if (QLatin1String(extension) == QLatin1String("ini"))
        PhonebookExport::Export(path, list, kStamp, CClientCodePage(), nullptr);
    else
        SemicolonList::Save(path, list, kStamp, nullptr);
    return path;
}

void ImportInto(benchmark::State &state, const QString &path, std::size_t expected)
{
    for (auto _ : state) {
        auto doc = std::make_unique<CLodexDoc>();
        doc->ImportFiles({path});
        state.PauseTiming();
        if (doc->m_listReflectors.size() != expected)
            state.SkipWithError("not every reflector imported");
        doc.reset();
        state.ResumeTiming();
    }
    state.counters["fileMB"] = double(QFile(path).size()) / 1e6;
}

} // namespace

static void BM_ImportSemicolonList(benchmark::State &state)
{
    const int n = int(state.range(0));
    ImportInto(state, ExportedFile(n, "csv"), std::size_t(n));
}
BENCHMARK(BM_ImportSemicolonList)->Arg(1000000)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(5)->ReportAggregatesOnly();

static void BM_ImportPhonebook(benchmark::State &state)
{
    const int n = int(state.range(0));
    ImportInto(state, ExportedFile(n, "ini"), std::size_t(n));
}
BENCHMARK(BM_ImportPhonebook)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(5)->ReportAggregatesOnly();

// The most the import holds at once, and what the list keeps afterwards.
static void BM_ImportedMemory(benchmark::State &state)
{
    const QString path = ExportedFile(int(state.range(0)), "csv");
    const double fileBytes = double(QFile(path).size());
    for (auto _ : state) {
        malloc_trim(0);
        const std::size_t before = ResidentBytes();
        ResetPeakResident();
        CLodexDoc doc;
        doc.ImportFiles({path});
        const std::size_t peak = PeakResidentBytes();
        malloc_trim(0);
        state.counters["peakTimesFileSize"] = double(peak - before) / fileBytes;
        state.counters["keptTimesFileSize"] = double(ResidentBytes() - before) / fileBytes;
    }
}
BENCHMARK(BM_ImportedMemory)->Arg(1000000)->Iterations(1)->Unit(benchmark::kMillisecond);

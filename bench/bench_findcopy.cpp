// Find Next over a million rows, and the text of a copy of 10,000 rows.
#include "bench/benchdata.h"
#include "data/ldxfile.h"
#include "view/core/connectionfile.h"
#include "view/core/findquery.h"
#include "view/core/reflectortext.h"

#include <benchmark/benchmark.h>

namespace {

const ReflectorList &MillionRows()
{
    // Read from its file, as users have it: the records lie as the reader
    // places them.
    static const ReflectorList list = [] {
        ReflectorList rows;
        LdxFile::Load(RealisticFile(1000000), rows, nullptr);
        return rows;
    }();
    return list;
}

// The same rows with a full name that is not ASCII: the slow path of upper-casing.
const ReflectorList &MillionAccentedRows()
{
    static const ReflectorList list = [] {
        ReflectorList rows = RealisticList(1000000);
        for (auto &row : rows)
            row->m_strFullName = CText("R\xC3\xA9" + row->m_strFullName.toByteArray());
        return rows;
    }();
    return list;
}

// A miss walks every row: the slowest Find Next there is.
void FindNextMiss(benchmark::State &state, const ReflectorList &list, const char *text, bool wholeWord)
{
    const CFindQuery query(text, wholeWord);
    const RecordOfRow recordOfRow = [&list](int row) { return list[std::size_t(row)].get(); };
    for (auto _ : state) {
        const FindStep step = FindNext(query, int(list.size()), -1, recordOfRow);
        if (step.hit >= 0)
            state.SkipWithError("the text should match no row");
        benchmark::DoNotOptimize(step);
    }
}

} // namespace

BENCHMARK_CAPTURE(FindNextMiss, name, MillionRows(), "no such reflector", false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FindNextMiss, name_accented_text, MillionRows(), "r\xC3\xA9" "flecteur", false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FindNextMiss, name_accented_rows, MillionAccentedRows(), "no such reflector", false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FindNextMiss, whole_name, MillionRows(), "no such reflector", true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FindNextMiss, address, MillionRows(), "203.0.113.9", false)->Unit(benchmark::kMillisecond);

static void BM_CopyText(benchmark::State &state)
{
    const ReflectorList &list = MillionRows();
    std::vector<const CReflector *> selected;
    for (int i = 0; i < state.range(0); ++i)
        selected.push_back(list[std::size_t(i) * 97 % list.size()].get());
    for (auto _ : state)
        benchmark::DoNotOptimize(ReflectorText(selected));
}
BENCHMARK(BM_CopyText)->Arg(10000)->Unit(benchmark::kMillisecond);

static void BM_ConnectionFiles(benchmark::State &state)
{
    const ReflectorList &list = MillionRows();
    for (auto _ : state)
        for (int i = 0; i < state.range(0); ++i)
            benchmark::DoNotOptimize(ConnectionFile(*list[std::size_t(i)]));
}
BENCHMARK(BM_ConnectionFiles)->Arg(10000)->Unit(benchmark::kMillisecond);

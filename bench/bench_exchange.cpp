// The exports of a million records: merged into a phonebook that already
// holds 100,000 other sections, exported again over its own result, and
// written as a semicolon list.
#include "bench/benchdata.h"
#include "exchange/clientcodepage.h"
#include "exchange/datetimestamp.h"
#include "exchange/phonebookexport.h"
#include "exchange/semicolonlist.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

const DateTimeStamp kStamp{"12/27/24", "2:05 PM"};

const ReflectorList &RunningList()
{
    static const ReflectorList list = [] {
        ReflectorList l = RealisticList(1000000);
        for (auto &r : l)
            r->m_bRunning = 1;
        return l;
    }();
    return list;
}

// A client phonebook of `sections` sections that no export writes.
QByteArray OtherSections(int sections)
{
    QByteArray file = "; Enhanced CU-SeeMe phonebook\r\n[Settings]\r\nMax Windows=8\r\n\r\n";
    for (int i = 0; i < sections; ++i) {
        const QByteArray n = QByteArray::number(i);
        file += "[Friend " + n + "]\r\nIP=198.51." + QByteArray::number(i % 256) + "." + QByteArray::number(i % 250)
                + "\r\nSend Video=Yes\r\nReceive Video=Yes\r\nAdd To Menu=No\r\nConferenceID=" + QByteArray::number(i % 1000)
                + "\r\n\r\n";
    }
    return file;
}

void WriteFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        std::abort();
}

void ExportInto(benchmark::State &state, const QByteArray &existing)
{
    const ReflectorList &list = RunningList();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("nickname.ini"));
    for (auto _ : state) {
        state.PauseTiming();
        WriteFile(path, existing);
        state.ResumeTiming();
        if (!PhonebookExport::Export(path, list, kStamp, CClientCodePage(), nullptr))
            state.SkipWithError("export failed");
    }
    state.counters["outputMB"] = double(QFile(path).size()) / 1e6;
}

} // namespace

static void BM_PhonebookIntoOtherSections(benchmark::State &state)
{
    ExportInto(state, OtherSections(100000));
}
BENCHMARK(BM_PhonebookIntoOtherSections)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(5)->ReportAggregatesOnly();

// The second export of the same list: every section is found and every
// key rewritten in place.
static void BM_PhonebookOverItsOwnExport(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("first.ini"));
    WriteFile(path, OtherSections(100000));
    PhonebookExport::Export(path, RunningList(), DateTimeStamp{"12/26/24", "9:00 AM"}, CClientCodePage(), nullptr);
    QFile first(path);
    first.open(QIODevice::ReadOnly);
    ExportInto(state, first.readAll());
}
BENCHMARK(BM_PhonebookOverItsOwnExport)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(5)->ReportAggregatesOnly();

// The merge alone over its own result, reading and writing files as it
// goes (no safe write): what an export costs beyond loading the list once
// the existing phonebook is handed over as a stream.
static void BM_PhonebookMergeAsItGoes(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString first = dir.filePath(QStringLiteral("first.ini"));
    PhonebookExport::Export(first, RunningList(), kStamp, CClientCodePage(), nullptr);
    for (auto _ : state) {
        QFile existing(first);
        QFile out(dir.filePath(QStringLiteral("out.ini")));
        if (!existing.open(QIODevice::ReadOnly) || !out.open(QIODevice::WriteOnly | QIODevice::Truncate)
            || !PhonebookExport::Merge(existing, out, RunningList(), kStamp, CClientCodePage()))
            state.SkipWithError("merge failed");
    }
}
BENCHMARK(BM_PhonebookMergeAsItGoes)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(5)->ReportAggregatesOnly();

// 200,000 reflectors with Cyrillic names into a new phonebook, for a client
// that reads it in windows-1251.
static void BM_PhonebookClientCodePage(benchmark::State &state)
{
    static const ReflectorList list = [] {
        ReflectorList l = RealisticList(200000);
        for (std::size_t i = 0; i < l.size(); ++i) {
            l[i]->m_bRunning = 1;
            l[i]->m_strShortName = CText("\xD0\xA0\xD0\xB5\xD1\x84\xD0\xBB " + QByteArray::number(int(i)));
        }
        return l;
    }();
    const CClientCodePage codePage(QStringLiteral("windows-1251"));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("nickname.ini"));
    for (auto _ : state) {
        QFile::remove(path);
        if (!PhonebookExport::Export(path, list, kStamp, codePage, nullptr))
            state.SkipWithError("export failed");
    }
}
BENCHMARK(BM_PhonebookClientCodePage)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(5)->ReportAggregatesOnly();

static void BM_SemicolonList(benchmark::State &state)
{
    const ReflectorList &list = RunningList();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("list.csv"));
    for (auto _ : state)
        if (!SemicolonList::Save(path, list, kStamp, nullptr))
            state.SkipWithError("export failed");
    state.counters["outputMB"] = double(QFile(path).size()) / 1e6;
}
BENCHMARK(BM_SemicolonList)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(5)->ReportAggregatesOnly();

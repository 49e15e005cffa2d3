// The main window at a million rows: open and show, a header-click sort to
// the repaint, and the memory the rows add beyond the records.
#include "app/core/recentfilelist.h"
#include "app/documentfiles.h"
#include "app/mainframe.h"
#include "app/undohistory.h"
#include "app/widgetprompts.h"
#include "bench/benchdata.h"
#include "data/countrytable.h"
#include "data/lodexdoc.h"
#include "resources/strings.h"
#include "view/lodexview.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QStandardPaths>

#include <benchmark/benchmark.h>

#include <malloc.h>

namespace {

void Repaint(CMainFrame &frame)
{
    QCoreApplication::processEvents();
    frame.View()->viewport()->repaint();
}

// A program's worth of objects around one main window.
struct Window {
    CLodexDoc doc;
    CCountryTable countries;
    CWidgetPrompts prompts{countries};
    CRecentFileList recent;
    CMainFrame frame{doc, prompts, recent};
};

} // namespace

static void BM_OpenAndShow(benchmark::State &state)
{
    const QString path = RealisticFile(int(state.range(0)));
    for (auto _ : state) {
        auto window = std::make_unique<Window>();
        window->frame.DocumentFiles().OpenDocumentFile(path);
        window->frame.show();
        Repaint(window->frame);
        state.PauseTiming();
        if (window->frame.View()->GetRowCount() != state.range(0))
            state.SkipWithError("not all rows shown");
        window.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenAndShow)->Arg(1000000)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(5)->ReportAggregatesOnly();

static void BM_HeaderSort(benchmark::State &state)
{
    Window window;
    window.frame.DocumentFiles().OpenDocumentFile(RealisticFile(int(state.range(0))));
    window.frame.show();
    Repaint(window.frame);
    const int column = int(state.range(1));
    for (auto _ : state) {
        state.PauseTiming();
        window.doc.RefreshView(); // back to the file's order
        Repaint(window.frame);
        state.ResumeTiming();
        window.frame.View()->sortByColumn(column, Qt::AscendingOrder);
        Repaint(window.frame);
    }
}
// Full name (distinct texts) and country (eight values: stability at work).
BENCHMARK(BM_HeaderSort)
    ->Args({1000000, 2})
    ->Args({1000000, 0})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(5)
    ->ReportAggregatesOnly();

static void BM_RowMemory(benchmark::State &state)
{
    const int n = int(state.range(0));
    CLodexDoc doc;
    QString error;
    doc.OnOpenDocument(RealisticFile(n), &error);
    for (auto _ : state) {
        CLodexView view;
        view.resize(1000, 700);
        view.show();
        malloc_trim(0);
        const std::size_t before = ResidentBytes();
        view.AttachDocument(&doc); // one row per record
        QCoreApplication::processEvents();
        view.viewport()->repaint();
        malloc_trim(0);
        const std::size_t after = ResidentBytes();
        state.counters["bytesPerRow"] = double(after - before) / n;
        view.AttachDocument(nullptr);
    }
}
BENCHMARK(BM_RowMemory)->Arg(1000000)->Iterations(1)->Unit(benchmark::kMillisecond);

// Undo of deleting every row of a million: the records back in their
// places and the rows shown again. The deletion itself is a counter.
static void BM_UndoDelete(benchmark::State &state)
{
    Window window;
    window.frame.DocumentFiles().OpenDocumentFile(RealisticFile(int(state.range(0))));
    window.frame.show();
    Repaint(window.frame);
    for (auto _ : state) {
        state.PauseTiming();
        window.frame.View()->selectAll();
        QElapsedTimer deletion;
        deletion.start();
        window.doc.RemoveSelectedReflectors(Str::StepDelete);
        Repaint(window.frame);
        state.counters["deleteMs"] = double(deletion.elapsed());
        state.ResumeTiming();
        window.frame.UndoHistory().Stack().undo();
        Repaint(window.frame);
        state.PauseTiming();
        if (window.frame.View()->GetRowCount() != state.range(0))
            state.SkipWithError("not every row back");
        state.ResumeTiming();
    }
}
BENCHMARK(BM_UndoDelete)->Arg(1000000)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(5)->ReportAggregatesOnly();

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QStandardPaths::setTestModeEnabled(true); // never the user's settings
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

// Charting a large listing: 500,000 listed words with Zipf-like frequencies. Measures the
// chart data the engine prepares (bars, the thinned curve, the fit) and the Chart window
// opened and painted on it (offscreen unless a display is named).
//   QT_QPA_PLATFORM=offscreen chart_bench
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QChartView>
#include <cmath>

#include "app/frm_chart.h"
#include "bench_text.h"
#include "results/listed_words_chart.h"
#include "results/sorting.h"
#include "run/run_state.h"

namespace {

// Different words "w0000001", ... with frequencies 1,000,000 / rank: the table as a count
// leaves it once the four ordering steps have run.
void OrderedTable(lxt::RunState& run, qint32 count) {
    run.WordTable.Recreate();
    for (qint32 i = 1; i <= count; ++i) {
        run.WordTable.Append(QStringLiteral("w%1").arg(i, 7, 10, QLatin1Char('0')),
                             std::max(1, static_cast<int>(std::lround(1e6 / i))));
    }
    run.lngNumWords = count;
    lxt::SortWordTable(run, 1, count, 1);
    lxt::MarkIncludedWords(run);
    lxt::ComputeWordStatistics(run);
    lxt::OrderByFrequency(run);
}

constexpr qint32 kListedWords = 500000;

lxt::RunState& LargeRun() {
    static lxt::bench::SilentUi ui;
    static lxt::RunState run(ui);
    if (run.lngNumWords == 0) {
        run.blnStartUpCompleted = true;
        OrderedTable(run, kListedWords);
    }
    return run;
}

void BM_ChartData(benchmark::State& state) {
    const lxt::RunState& run = LargeRun();
    for (auto _ : state) {
        const lxt::ListedWordsChart chart =
            lxt::ChartListedWords(run.WordTable, run.lngFirstFreq, run.lngNumWordsIncluded);
        benchmark::DoNotOptimize(chart.fit.exponent);
        state.counters["curve_points"] = static_cast<double>(chart.curve.size());
        state.counters["exponent"] = chart.fit.exponent;
    }
}
BENCHMARK(BM_ChartData)->Unit(benchmark::kMillisecond);

// From the click to a painted window: the chart data, the window, both charts drawn.
void BM_OpenChartWindow(benchmark::State& state) {
    const lxt::RunState& run = LargeRun();
    lxt::bench::SilentUi ui;
    for (auto _ : state) {
        const lxt::ListedWordsChart chart =
            lxt::ChartListedWords(run.WordTable, run.lngFirstFreq, run.lngNumWordsIncluded);
        lxt::FrmChart window(ui, [](const lxt::FileDialogRequest&) { return QString(); });
        window.ShowChart(chart);
        window.show();
        QApplication::processEvents();
        benchmark::DoNotOptimize(window.grab());
    }
}
BENCHMARK(BM_OpenChartWindow)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

// Ordering and listing a large count: 1,000,000 different words with Zipf-like
// frequencies, sorted by key, ranked by frequency and written to an output file.
#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <algorithm>
#include <vector>

#include "results/output_file.h"
#include "results/sorting.h"
#include "run/run_state.h"
#include "support/str_proc.h"
#include "support/ui.h"

namespace {

class QuietUi : public lxt::Ui {
  public:
    lxt::MsgResult MsgBox(const QString&, const QString&, lxt::MsgButtons, lxt::MsgIcon,
                          int) override {
        return lxt::MsgResult::Ok;
    }
    std::optional<QString> InputBox(const QString&, const QString&, const QString&) override {
        return std::nullopt;
    }
    void DoEvents() override {}
};

// The table as a count leaves it: different words in ordinal order, with their frequencies.
std::vector<std::pair<QString, qint32>> MakeWords(int count) {
    QRandomGenerator rng(20261207);
    static const QString letters =
        QStringLiteral("abcdefghijklmnopqrstuvwxyzäöüéèßABCDEFGHIJKLMNOPRSTUVWZ");
    QStringList words;
    words.reserve(count);
    QSet<QString> seen;
    while (words.size() < count) {
        QString w;
        const int len = 3 + rng.bounded(10);
        for (int k = 0; k < len; ++k) w += letters.at(rng.bounded(int(letters.size())));
        if (!seen.contains(w)) {
            seen.insert(w);
            words << w;
        }
    }
    std::vector<qint32> freqs(static_cast<size_t>(count));
    for (int r = 0; r < count; ++r) freqs[static_cast<size_t>(r)] = std::max(1, 5000000 / (r + 1));
    std::shuffle(freqs.begin(), freqs.end(), std::mt19937(7));
    std::sort(words.begin(), words.end());
    std::vector<std::pair<QString, qint32>> entries(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i)
        entries[static_cast<size_t>(i)] = {words.at(i), freqs[size_t(i)]};
    return entries;
}

void LoadTable(lxt::RunState& run, const std::vector<std::pair<QString, qint32>>& entries) {
    run.WordTable.Recreate();
    for (const auto& [word, frequency] : entries) run.WordTable.Append(word, frequency);
    run.lngNumWords = run.WordTable.Count();
}

void BM_SortOrderAndWriteOutputFile(benchmark::State& state) {
    const auto entries = MakeWords(static_cast<int>(state.range(0)));
    QTemporaryDir dir;
    QuietUi ui;
    lxt::RunState run(ui);
    run.blnStartUpCompleted = true;
    run.settings.txbFile[1] = dir.filePath(QStringLiteral("words.txt"));
    for (auto _ : state) {
        state.PauseTiming();
        LoadTable(run, entries);
        state.ResumeTiming();
        lxt::SortWordTable(run, 1, run.lngNumWords, 1);
        lxt::MarkIncludedWords(run);
        lxt::ComputeWordStatistics(run);
        lxt::OrderByFrequency(run);
        lxt::ListWords(run);
    }
    state.counters["file_bytes"] = static_cast<double>(QFile(run.settings.txbFile[1]).size());
}
BENCHMARK(BM_SortOrderAndWriteOutputFile)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

void BM_SortOnly(benchmark::State& state) {
    const auto entries = MakeWords(static_cast<int>(state.range(0)));
    QuietUi ui;
    lxt::RunState run(ui);
    for (auto _ : state) {
        state.PauseTiming();
        LoadTable(run, entries);
        state.ResumeTiming();
        lxt::SortWordTable(run, 1, run.lngNumWords, 1);
    }
}
BENCHMARK(BM_SortOnly)->Arg(1000000)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();

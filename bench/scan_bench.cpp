// Speed of the counting engine: scanning English prose as read from a Windows-1252 file
// (decoding, lower-casing, scanning and counting with the default settings), and adding
// many different words to the word table. Set LXT_BENCH_TEXT to a text file of your own;
// otherwise the license texts of the system (English prose) are used.
#include <benchmark/benchmark.h>

#include <QByteArray>
#include <QFile>
#include <QRandomGenerator>
#include <QString>
#include <QStringList>
#include <vector>

#include "bench_text.h"
#include "input/counting_sink.h"
#include "run/run_state.h"
#include "run/word_list.h"
#include "scan/line_scanner.h"
#include "scan/markup.h"
#include "scan/scan_options.h"
#include "scan/scan_state.h"
#include "support/str_proc.h"
#include "support/ui.h"
#include "support/win1252.h"

namespace {

using namespace lxt;
using bench::kCorpusBytes;
using bench::SilentUi;

// Lines of English prose in Windows-1252, about kCorpusBytes in all.
std::vector<QByteArray> ProseLines() {
    QByteArray text = bench::BenchProse();
    std::vector<QByteArray> lines;
    qsizetype total = 0;
    while (total < kCorpusBytes) {
        for (const QByteArray& line : text.split('\n')) {
            lines.push_back(line);
            total += line.size() + 1;
        }
    }
    return lines;
}

void BM_ScanProse(benchmark::State& state) {
    static const std::vector<QByteArray> lines = ProseLines();
    SilentUi ui;
    RunState run(ui);
    CountingSink sink(run);
    run.blnStartUpCompleted = true;
    MarkupMarkers markers;
    SetMarkupMode(markers, run.settings, QStringLiteral("txt"));
    const ScanOptions options = ScanOptionsOf(run, ScanContext::Counting, markers);
    ScanEvents events = ScanEventsOf(run);
    qint64 bytes = 0;
    for (auto _ : state) {
        ResetWordTable(run);
        ScanState scan;
        run.settings.chkSuppressWords = 0;
        ui.OutputReplace(QString());
        QString decoded;
        for (const QByteArray& line : lines) {
            decoded.resize(0);
            AppendWin1252(line, decoded);
            decoded += u' ';
            scan.line = LowerCaseFull(decoded);
            ScanLine(scan, options, sink, events);
            bytes += line.size() + 1;
        }
        SealWordTable(run);
        benchmark::DoNotOptimize(run.lngNumWords);
    }
    state.SetBytesProcessed(bytes);
    state.counters["words"] = run.lngTotalNumOccurrences / static_cast<double>(state.iterations());
    state.counters["different"] = run.lngNumWords;
}
BENCHMARK(BM_ScanProse)->Unit(benchmark::kMillisecond);

// The share of the above that reading takes: decoding and lower-casing only.
void BM_DecodeAndLowerCaseProse(benchmark::State& state) {
    static const std::vector<QByteArray> lines = ProseLines();
    qint64 bytes = 0;
    QString line;
    for (auto _ : state) {
        QString decoded;
        for (const QByteArray& bytesOfLine : lines) {
            decoded.resize(0);
            AppendWin1252(bytesOfLine, decoded);
            decoded += u' ';
            line = LowerCaseFull(decoded);
            benchmark::DoNotOptimize(line.constData());
            bytes += bytesOfLine.size() + 1;
        }
    }
    state.SetBytesProcessed(bytes);
}
BENCHMARK(BM_DecodeAndLowerCaseProse)->Unit(benchmark::kMillisecond);

// `count` different words of 4 to 10 letters, in random order.
std::vector<QString> DifferentWords(qint64 count) {
    std::vector<QString> words;
    words.reserve(static_cast<size_t>(count));
    for (qint64 n = 0; n < count; ++n) {
        // n in five base-26 letters behind n % 4 letters "x": different for every n.
        QString w(static_cast<qsizetype>(n % 4), u'x');
        qint64 v = n;
        for (int digit = 0; digit < 5; ++digit, v /= 26) {
            w += QChar(static_cast<char16_t>(u'a' + v % 26));
        }
        w += u"ing";
        words.push_back(w);
    }
    QRandomGenerator random(42);
    for (size_t i = words.size(); i > 1; --i)
        std::swap(words[i - 1], words[random.bounded(static_cast<quint32>(i))]);
    return words;
}

void BM_AddDifferentWords(benchmark::State& state) {
    const std::vector<QString> words = DifferentWords(state.range(0));
    SilentUi ui;
    RunState run(ui);
    run.settings.chkSuppressWords = 1;
    for (auto _ : state) {
        ResetWordTable(run);
        for (const QString& w : words) AddWordToList(run, w, ScanContext::Counting);
        for (const QString& w : words)
            AddWordToList(run, w, ScanContext::Counting);  // each counted a second time
        SealWordTable(run);
        benchmark::DoNotOptimize(run.WordTable[1].frequency);
    }
    state.counters["words"] = run.lngNumWords;
}
BENCHMARK(BM_AddDifferentWords)->Arg(250000)->Arg(1000000)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

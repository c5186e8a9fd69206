// Speed of the input sources: a whole file scan (DoItFromFile: reading in blocks, decoding,
// trimming, lower-casing, scanning and counting) of about 8 MiB of English prose with CR LF
// line ends, and the text-run scan of a docx document of the same size. Set LXT_BENCH_TEXT
// to a text file of your own; otherwise the license texts of the system are used.
#include <benchmark/benchmark.h>

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include "bench_text.h"
#include "input/docx_extraction.h"
#include "input/docx_text_runs.h"
#include "input/file_scan.h"
#include "run/run_state.h"
#include "scan/scan_options.h"
#include "support/ui.h"
#include "support/win1252.h"

namespace {

using namespace lxt;
using bench::kCorpusBytes;
using bench::SilentUi;

QByteArray Prose() {
    QByteArray text = bench::BenchProse();
    text.replace("\r\n", "\n");
    text.replace("\n", "\r\n");
    QByteArray corpus;
    while (corpus.size() < kCorpusBytes) corpus += text;
    return corpus;
}

void BM_FileScan(benchmark::State& state) {
    QTemporaryDir dir;
    const QString input = dir.filePath(QStringLiteral("prose.txt"));
    const QByteArray corpus = Prose();
    {
        QFile f(input);
        if (!f.open(QIODevice::WriteOnly)) {
            state.SkipWithError("cannot write the corpus");
            return;
        }
        f.write(corpus);
    }
    SilentUi ui(MsgResult::No);
    RunState run(ui);
    run.blnStartUpCompleted = true;
    run.settings.chkSuppressWords = 1;
    run.settings.txbFile[0] = input;
    run.settings.txbFile[1] = dir.filePath(QStringLiteral("out.txt"));
    SetExtraChars(run);
    DocxState docx;
    for (auto _ : state) {
        benchmark::DoNotOptimize(DoItFromFile(run, docx));
        benchmark::DoNotOptimize(run.lngNumWords);
    }
    state.SetBytesProcessed(state.iterations() * corpus.size());
}
BENCHMARK(BM_FileScan)->Unit(benchmark::kMillisecond);

void BM_TextRunScan(benchmark::State& state) {
    const QByteArray corpus = Prose();
    QString xml = QStringLiteral("<w:document><w:body>");
    for (const QByteArray& line : corpus.split('\n')) {
        xml += QStringLiteral("<w:p><w:r><w:t xml:space=\"preserve\">") +
               DecodeWin1252(line.trimmed()) + QStringLiteral("</w:t></w:r></w:p>");
    }
    xml += QStringLiteral("</w:body></w:document>");
    SilentUi ui(MsgResult::No);
    RunState run(ui);
    QStringList pieces;
    for (auto _ : state) {
        qint64 total = 0;
        benchmark::DoNotOptimize(ScanTextRuns(run, xml, 1, pieces, total, false));
    }
    state.SetBytesProcessed(state.iterations() * xml.size());
}
BENCHMARK(BM_TextRunScan)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();

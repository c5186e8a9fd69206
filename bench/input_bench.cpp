// Speed of the input sources: a whole file scan (DoItFromFile: inspecting, reading in blocks,
// decoding, trimming, lower-casing, scanning and counting) of about 8 MiB of English prose
// with CR LF line ends, or with LF line ends and German letters in UTF-8; the UTF-8 check of
// the same files on its own; and the text-run scan of a docx document of the same size. Set
// LXT_BENCH_TEXT to a text file of your own; otherwise the license texts of the system are used.
#include <benchmark/benchmark.h>

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QTemporaryDir>

#include "bench_text.h"
#include "input/docx_extraction.h"
#include "input/docx_text_runs.h"
#include "input/file_scan.h"
#include "input/utf8_detection.h"
#include "run/run_state.h"
#include "scan/scan_options.h"
#include "support/ui.h"
#include "support/win1252.h"

namespace {

using namespace lxt;
using bench::kCorpusBytes;
using bench::SilentUi;

// The corpora of the file benchmarks, by argument: 0 the prose with CR LF line ends, 1 the
// same prose with LF line ends and accented letters in UTF-8 (no byte-order mark), so that
// the UTF-8 check must read the whole file and meets a multi-byte sequence every few bytes.
QByteArray Prose(int kind = 0) {
    QByteArray text = bench::BenchProse();
    text.replace("\r\n", "\n");
    if (kind == 0) {
        text.replace("\n", "\r\n");
    } else {
        text.replace("ue", "\xC3\xBC");
        text.replace("ae", "\xC3\xA4");
        text.replace("ss", "\xC3\x9F");
        text.replace("e", "\xC3\xA9");  // about one character in ten takes two bytes
    }
    QByteArray corpus;
    while (corpus.size() < kCorpusBytes) corpus += text;
    return corpus;
}

// Writes the corpus of `kind` into `dir`; empty on failure.
QString WriteCorpus(const QTemporaryDir& dir, int kind) {
    const QString input = dir.filePath(QStringLiteral("prose.txt"));
    QFile f(input);
    if (!f.open(QIODevice::WriteOnly)) return QString();
    f.write(Prose(kind));
    return input;
}

// A whole count of the file, its inspection included; a UTF-8 file is scanned as UTF-8.
void BM_FileScan(benchmark::State& state) {
    QTemporaryDir dir;
    const int kind = static_cast<int>(state.range(0));
    const QString input = WriteCorpus(dir, kind);
    if (input.isEmpty()) {
        state.SkipWithError("cannot write the corpus");
        return;
    }
    SilentUi ui(kind == 0 ? MsgResult::No : MsgResult::Yes);
    RunState run(ui);
    run.blnStartUpCompleted = true;
    run.settings.chkSuppressWords = 1;
    run.settings.txbFile[0] = input;
    run.settings.txbFile[1] = dir.filePath(QStringLiteral("out.txt"));
    DocxState docx;
    for (auto _ : state) {
        benchmark::DoNotOptimize(DoItFromFile(run, docx));
        benchmark::DoNotOptimize(run.lngNumWords);
    }
    state.SetBytesProcessed(state.iterations() * QFileInfo(input).size());
}
BENCHMARK(BM_FileScan)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The check for UTF-8 without a byte-order mark alone, on the same files: it must cost under
// 5 % of BM_FileScan with the same argument.
void BM_Utf8Detection(benchmark::State& state) {
    QTemporaryDir dir;
    const QString input = WriteCorpus(dir, static_cast<int>(state.range(0)));
    if (input.isEmpty()) {
        state.SkipWithError("cannot write the corpus");
        return;
    }
    for (auto _ : state) benchmark::DoNotOptimize(IsUtf8WithoutMark(input));
    state.SetBytesProcessed(state.iterations() * QFileInfo(input).size());
}
BENCHMARK(BM_Utf8Detection)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_TextRunScan(benchmark::State& state) {
    const QByteArray corpus = Prose();
    QByteArray xml = "<w:document><w:body>";
    for (const QByteArray& line : corpus.split('\n')) {
        xml += "<w:p><w:r><w:t xml:space=\"preserve\">" + DecodeWin1252(line.trimmed()).toUtf8() +
               "</w:t></w:r></w:p>";
    }
    xml += "</w:body></w:document>";
    SilentUi ui(MsgResult::No);
    RunState run(ui);
    for (auto _ : state) {
        TextRunPieces pieces;
        pieces.text = xml;
        qint64 total = 0;
        benchmark::DoNotOptimize(ScanTextRuns(run, pieces, total, false));
    }
    state.SetBytesProcessed(state.iterations() * xml.size());
}
BENCHMARK(BM_TextRunScan)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();

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

#include "input/docx_extraction.h"
#include "input/docx_text_runs.h"
#include "input/file_scan.h"
#include "run/run_state.h"
#include "scan/scan_options.h"
#include "support/ui.h"
#include "support/win1252.h"

namespace {

using namespace lxt;

class SilentUi : public Ui {
  public:
    MsgResult MsgBox(const QString&, const QString&, MsgButtons, MsgIcon, int) override {
        return MsgResult::No;
    }
    std::optional<QString> InputBox(const QString&, const QString&, const QString&) override {
        return std::nullopt;
    }
    void DoEvents() override {}
};

constexpr qsizetype kCorpusBytes = 8 * 1024 * 1024;

QByteArray Prose() {
    QByteArray text;
    const QByteArray own = qgetenv("LXT_BENCH_TEXT");
    const QStringList files =
        own.isEmpty() ? QStringList{QStringLiteral("/usr/share/common-licenses/GPL-3"),
                                    QStringLiteral("/usr/share/common-licenses/Apache-2.0"),
                                    QStringLiteral("/usr/share/common-licenses/GFDL-1.3")}
                      : QStringList{QString::fromLocal8Bit(own)};
    for (const QString& name : files) {
        QFile f(name);
        if (f.open(QIODevice::ReadOnly)) text += f.readAll();
    }
    if (text.isEmpty()) text = "The quick brown fox jumps over the lazy dog, doesn't it?\n";
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
    SilentUi ui;
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
    SilentUi ui;
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

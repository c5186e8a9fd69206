// The line scanner over any line, with the word options taken from the first byte, in the
// plain, HTML and XML markup modes; and the quick line scans over the same lines as
// Windows-1252 and as UTF-8 bytes, whose words must be those ScanLine finds whenever they
// take a line.
#include <QStringList>

#include "fuzz_support.h"
#include "input/counting_sink.h"
#include "run/run_state.h"
#include "run/word_list.h"
#include "scan/line_scanner.h"
#include "scan/markup.h"
#include "scan/plain_line_scanner.h"
#include "scan/scan_options.h"
#include "scan/scan_state.h"
#include "scan/utf8_line_scanner.h"
#include "scan/word_sink.h"
#include "support/str_proc.h"
#include "support/utf8.h"
#include "support/win1252.h"

namespace {

// Keeps the words it is given, in order.
class RecordingSink final : public lxt::WordSink {
  public:
    void Accept(QStringView word) override { words << word.toString(); }
    QStringList words;
};

// The words ScanLine finds in the line as the reading loop prepares it.
QStringList GeneralWords(QByteArrayView bytes, bool utf8, bool caseSignificant,
                         const lxt::ScanOptions& options, lxt::ScanEvents& events) {
    using namespace lxt;
    QString line = utf8 ? DecodeUtf8(bytes) : DecodeWin1252(bytes);
    RecordingSink sink;
    if (!PrepareLineForScan(line, utf8, caseSignificant)) return sink.words;
    ScanState state;
    state.line = line;
    ScanLine(state, options, sink, events);
    return sink.words;
}

// Traps when a quick scan takes the line and finds other words than ScanLine.
void CompareQuickScans(QByteArrayView bytes, bool caseSignificant, const lxt::ScanOptions& options,
                       lxt::ScanEvents& events) {
    using namespace lxt;
    for (const bool utf8 : {false, true}) {
        PlainLineScanner plain(options, caseSignificant);
        Utf8LineScanner wide(options, caseSignificant);
        RecordingSink sink;
        ScanState state;
        const auto outcome = plain.Scan(bytes, utf8, state, sink, events);
        const bool taken = outcome != PlainLineScanner::Outcome::NeedsScanLine ||
                           (utf8 && wide.Scan(bytes, state, sink, events));
        if (taken && sink.words != GeneralWords(bytes, utf8, caseSignificant, options, events)) {
            __builtin_trap();
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    using namespace lxt;
    fuzz::QuietUi ui;
    RunState run(ui);
    const uint8_t flags = data[0];
    run.settings.chkCaseSignificant = flags & 1;
    run.settings.chkAllowWordsWithHyphens = (flags >> 1) & 1;
    run.settings.chkAllowWordsWithApostrophes = (flags >> 2) & 1;
    run.settings.chkAllowWordsWithNumerals = (flags >> 3) & 1;
    run.settings.chkDropFinalS = (flags >> 6) & 1;
    run.settings.chkIgnoreNoVowel = (flags >> 7) & 1;
    run.settings.chkSuppressWords = 1;
    static const char* const kExtensions[] = {"txt", "htm", "xml", ""};
    MarkupMarkers markers;
    SetMarkupMode(markers, run.settings, QString::fromLatin1(kExtensions[(flags >> 4) & 3]));
    ResetWordTable(run);
    CountingSink sink(run);
    const ScanOptions options = ScanOptionsOf(run, ScanContext::Counting, markers);
    ScanEvents events = ScanEventsOf(run);
    ScanState state;
    const QString text = DecodeWin1252(fuzz::Bytes(data + 1, size - 1));
    for (const QString& line : text.split(u'\n')) {
        QString cleaned = line;
        CleanLine(cleaned);
        SpaceDoubleHyphens(cleaned);
        state.line =
            (run.settings.chkCaseSignificant == 1 ? cleaned : LowerCaseFull(cleaned)) + u' ';
        ScanLine(state, options, sink, events);
    }
    SealWordTable(run);
    const QByteArray bytes = fuzz::Bytes(data + 1, size - 1);
    for (const QByteArray& line : bytes.split('\n')) {
        CompareQuickScans(line, run.settings.chkCaseSignificant == 1, options, events);
    }
    return 0;
}

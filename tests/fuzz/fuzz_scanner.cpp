// The line scanner over any line, with the word options taken from the first byte, in the
// plain, HTML and XML markup modes.
#include "fuzz_support.h"
#include "input/counting_sink.h"
#include "run/run_state.h"
#include "run/word_list.h"
#include "scan/line_scanner.h"
#include "scan/markup.h"
#include "scan/scan_options.h"
#include "scan/scan_state.h"
#include "support/str_proc.h"
#include "support/win1252.h"

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
    SetExtraChars(run);
    static const char* const kExtensions[] = {"txt", "htm", "xml", ""};
    MarkupMarkers markers;
    SetMarkupMode(markers, run.settings, QString::fromLatin1(kExtensions[(flags >> 4) & 3]));
    ResetWordTable(run);
    CountingSink sink(run);
    const ScanOptions options = ScanOptionsOf(run, markers);
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
    return 0;
}

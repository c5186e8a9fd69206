// The text-run reader of a docx document over any document bytes. Whatever the bytes, the
// text the count reads is UTF-8 throughout, and writing it over the document gives the
// same text as when the writing lags far behind the reading (blanks before the document).
#include <cstdlib>

#include "fuzz_support.h"
#include "input/docx_text_runs.h"
#include "run/run_state.h"
#include "support/utf8.h"

namespace {

QByteArray Cut(lxt::RunState& run, const QByteArray& xml, qint32& count) {
    lxt::TextRunPieces pieces;
    pieces.text = xml;
    qint64 total = xml.size();
    count = lxt::ScanTextRuns(run, pieces, total, true);
    return pieces.text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace lxt;
    fuzz::QuietUi ui;
    RunState run(ui);
    const QByteArray xml = fuzz::Bytes(data, size);
    qint32 count = 0;
    const QByteArray text = Cut(run, xml, count);
    if (DecodeUtf8(text).toUtf8() != text) std::abort();
    // A piece is at most three times as long as its bytes (a byte that is not UTF-8 becomes
    // U+FFFD), so with these blanks the text never catches up with the reading.
    qint32 laggingCount = 0;
    const QByteArray lagging = Cut(run, QByteArray(3 * xml.size() + 64, ' ') + xml, laggingCount);
    if (lagging != text || laggingCount != count) std::abort();
    return 0;
}

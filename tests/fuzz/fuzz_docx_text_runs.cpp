// The text-run reader of a docx document over any document bytes. Whatever the bytes, the
// text the count reads is UTF-8 throughout.
#include <cstdlib>

#include "fuzz_support.h"
#include "input/docx_text_runs.h"
#include "run/run_state.h"
#include "support/utf8.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace lxt;
    fuzz::QuietUi ui;
    RunState run(ui);
    const QByteArray xml = fuzz::Bytes(data, size);
    TextRunPieces pieces;
    qint64 total = xml.size();
    ScanTextRuns(run, xml, pieces, total, true);
    if (DecodeUtf8(pieces.text).toUtf8() != pieces.text) std::abort();
    return 0;
}

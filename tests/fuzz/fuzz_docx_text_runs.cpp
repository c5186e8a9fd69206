// The text-run reader of a docx document over any document text.
#include <QStringList>

#include "fuzz_support.h"
#include "input/docx_text_runs.h"
#include "run/run_state.h"
#include "support/win1252.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace lxt;
    fuzz::QuietUi ui;
    RunState run(ui);
    const QString xml = DecodeWin1252(fuzz::Bytes(data, size));
    QStringList pieces;
    qint64 total = xml.size();
    ScanTextRuns(run, xml, 1, pieces, total, true);
    return 0;
}

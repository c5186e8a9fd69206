// The common-words reader over any file: the inspection, the scan and the sorted list.
#include "exclude/common_words.h"
#include "fuzz_support.h"
#include "run/run_state.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace lxt;
    fuzz::QuietUi ui;
    RunState run(ui);
    run.blnStartUpCompleted = true;
    run.strCommonWordsFile = fuzz::WriteInput(QStringLiteral("cwds.txt"), data, size);
    ReadCommonWords(run);
    return 0;
}

// The check of an input file: the header and text tests and the messages they lead to.
#include "fuzz_support.h"
#include "input/is_text_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace lxt;
    fuzz::QuietUi ui;
    const QString path = fuzz::WriteInput(QStringLiteral("input.txt"), data, size);
    bool utf8 = false;
    int textCode = 0;
    InspectInputFile(ui, path, false, utf8, textCode);
    IsDocxFile(path);
    return 0;
}

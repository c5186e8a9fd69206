// The message catalogue loader over any file, and the lookup of every message it may hold.
#include "fuzz_support.h"
#include "support/catalogue.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace lxt;
    const QString path = fuzz::WriteInput(QStringLiteral("lxt.dat"), data, size);
    if (LoadCatalogue(path) > 0) {
        for (int number = 0; number <= 400; ++number) Message(number);
    }
    return 0;
}

// The settings reader over any file, and the writer of what it read.
#include "fuzz_support.h"
#include "settings/settings_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace lxt;
    const QString path = fuzz::WriteInput(QStringLiteral("settings.lxt"), data, size);
    const RestoredSettings restored = RestoreSavedState(path, Settings{});
    SettingsFileBytes(restored.settings);
    return 0;
}

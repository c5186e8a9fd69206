// Test entry point for the engine's tests: a QCoreApplication (for the program folder and
// the event loop) and a pinned locale, so that digit grouping is "1,234" on every machine.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QLocale>

#include "common/temp_dir.h"

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    // Without the data files (catalogue, common-words files) the tests would fail in confusing
    // ways. Listing the tests needs no data.
    if (!app.arguments().contains(QStringLiteral("--gtest_list_tests")) &&
        !lxt::test::DataFilesPresent()) {
        return 1;
    }
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

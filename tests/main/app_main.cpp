// Test entry point for the window tests: a QApplication on the offscreen platform and a
// pinned locale.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLocale>

#include "common/temp_dir.h"

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
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

#include "support/data_folder.h"

#include <gtest/gtest.h>

#include <QDir>

#include "common/temp_dir.h"

namespace lxt {
namespace {

using test::TempDir;

// The data folder of an executable in prefix/bin: beside it first, then prefix/share/lxt,
// else the executable's folder itself.
TEST(DataFolderOf, BesideTheExecutableThenInstalledShareFolder) {
    TempDir prefix;
    QDir(prefix.Path()).mkpath("bin");
    QDir(prefix.Path()).mkpath("share/lxt");
    const QString bin = prefix.File("bin");
    const QString share = prefix.File("share/lxt");

    EXPECT_EQ(DataFolderOf(bin), bin) << "no catalogue anywhere";

    prefix.Write("share/lxt/lxt.dat", "1 x\n");
    EXPECT_EQ(DataFolderOf(bin), share) << "installed layout";

    prefix.Write("bin/lxt.dat", "1 x\n");
    EXPECT_EQ(DataFolderOf(bin), bin) << "the build tree wins";

    // A folder named lxt.dat is no catalogue.
    TempDir other;
    QDir(other.Path()).mkpath("bin/lxt.dat");
    EXPECT_EQ(DataFolderOf(other.File("bin")), other.File("bin"));
}

}  // namespace
}  // namespace lxt

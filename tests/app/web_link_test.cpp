// The browser launch: where an address leads and what a failure says.
#include "app/web_link.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>

#include "common/scripted_ui.h"
#include "common/temp_dir.h"

namespace lxt {
namespace {

TEST(WebLink, RelativeAddressesNameFilesBesideTheProgram) {
    const QUrl manual = ResolveWebTarget(QStringLiteral("manual.html#about"));
    ASSERT_TRUE(manual.isLocalFile());
    EXPECT_EQ(manual.toLocalFile(),
              QDir(QCoreApplication::applicationDirPath()).filePath("manual.html"));
    EXPECT_EQ(manual.fragment(), "about");
    EXPECT_EQ(ResolveWebTarget(QStringLiteral("https://example.org/a#b")).toString(),
              "https://example.org/a#b");
    EXPECT_TRUE(WebTargetDisplayText(QStringLiteral("manual.html#about")).endsWith("#about"));
}

TEST(WebLink, FailureTexts) {
    EXPECT_EQ(WebTargetExtension(QStringLiteral("C:\\Some.Folder\\Report.XYZ")), "xyz");
    EXPECT_EQ(WebTargetExtension(QStringLiteral("/tmp/a.b/noextension")), "");
    EXPECT_EQ(LaunchFailureText(31, QStringLiteral("/tmp/Report.XYZ")),
              "Error launching web browser, error code =31.\r\n\r\nFile extension 'xyz' is not "
              "associated with any application program.");
    EXPECT_EQ(LaunchFailureText(8, QString()),
              "Error launching web browser, error code =8.\r\n\r\nOut of memory.");
    EXPECT_EQ(LaunchFailureText(2, QString()),
              "Error launching web browser, error code =2.\r\n\r\nPlease try once more.");
    EXPECT_EQ(LaunchFailureText(5, QString()),
              "Error launching web browser, error code =5.\r\n\r\n");
}

TEST(WebLink, AMissingDocumentIsReported) {
    test::TempDir dir;
    test::ScriptedUi ui;
    ui.Expect(QStringLiteral("error code =2."));
    EXPECT_EQ(OpenWebLink(ui, dir.File(QStringLiteral("absent.html"))), kLaunchFileNotFound);
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].title, "Cannot launch web browser");
    EXPECT_EQ(ui.shown[0].icon, MsgIcon::Exclamation);
}

}  // namespace
}  // namespace lxt

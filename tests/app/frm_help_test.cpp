// The help window: its eleven paragraphs, its placement after the main window, its layout
// on resizing, F1 on the main window's buttons, and "Close" hiding it.
#include "app/frm_help.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPushButton>

#include "frm_main_test_fixture.h"

namespace lxt {
namespace {

TEST(HelpText, ElevenParagraphsEachEndedByTwoLineBreaks) {
    const QString text = HelpText(QStringLiteral("https://example.org/manual"));
    const QStringList paragraphs = text.split(QStringLiteral("\r\n\r\n"));
    ASSERT_EQ(paragraphs.size(), 12);
    EXPECT_TRUE(paragraphs[11].isEmpty());
    EXPECT_EQ(paragraphs[0],
              "An illustrated verson of this documentation (with a lot more information) can be "
              "found at https://example.org/manual.  This help window may be resized for easier "
              "reading.");
    EXPECT_EQ(paragraphs[6],
              "You can specify that the output be written to a file.  This can then be loaded "
              "into Excel for further processing.");
    EXPECT_EQ(paragraphs[8],
              "Text may be composed in the textbox. To do a word count on this text you must "
              "first copy it to the clipboard.");
    EXPECT_TRUE(paragraphs[3].contains(
        "(ii) select all the text and copy it to the clipboard, then click on 'Count words' "
        "with 'clipboard' selected as the source."));
    EXPECT_TRUE(paragraphs[10].endsWith("or on separate lines."));
    EXPECT_FALSE(text.contains(QStringLiteral("  \r\n")));
}

TEST(FrmHelp, PlacedAfterTheMainWindowAndLaidOutOnResize) {
    QWidget owner;
    owner.setGeometry(100, 80, 900, 700);
    int focusCalls = 0;
    FrmHelp help(owner, [&focusCalls] { ++focusCalls; });
    EXPECT_EQ(help.windowTitle(), "LXT Help");
    EXPECT_EQ(help.cmdClose->text(), "Close");
    EXPECT_EQ(help.pos(), owner.frameGeometry().topLeft() + QPoint(200 / 15, 480 / 15));
    EXPECT_EQ(help.size(), QSize(900 - 400 / 15, 700 - 680 / 15));
    EXPECT_TRUE(help.txbHelpScreen->isReadOnly());
    EXPECT_TRUE(help.txbHelpScreen->toPlainText().startsWith("An illustrated verson"));

    help.ShowOrRestore();
    help.resize(600, 500);
    const int frameWidth = help.frameGeometry().width() - help.width();
    const int frameHeight = help.frameGeometry().height() - help.height();
    EXPECT_EQ(help.txbHelpScreen->width(), 600 + frameWidth - 350 / 15);
    EXPECT_EQ(help.txbHelpScreen->height(), 500 + frameHeight - 1280 / 15);
    EXPECT_EQ(help.cmdClose->y(), 500 + frameHeight - 1000 / 15);
    EXPECT_EQ(help.cmdClose->x(), (600 + frameWidth - help.cmdClose->width()) / 2);

    // Screen readers meet a window named by its title.
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(&help);
    ASSERT_NE(accessible, nullptr);
    EXPECT_EQ(accessible->role(), QAccessible::Window);
    EXPECT_EQ(accessible->text(QAccessible::Name), "LXT Help");

    help.cmdClose->click();
    EXPECT_FALSE(help.isVisible());
    EXPECT_EQ(focusCalls, 1);
    // Hidden, not closed: it shows again with its size kept.
    help.ShowOrRestore();
    EXPECT_TRUE(help.isVisible());
    EXPECT_EQ(help.size(), QSize(600, 500));
}

class HelpFromMainWindowTest : public test::FrmMainTest {};

TEST_F(HelpFromMainWindowTest, F1OpensHelpAndRestoresItWhenMinimised) {
    Start();
    auto pressF1 = [this] {
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_F1, Qt::NoModifier);
        QCoreApplication::sendEvent(frm->cmdListWords, &release);
    };
    pressF1();
    FrmHelp* help = frm->findChild<FrmHelp*>(QStringLiteral("frmHelp"));
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isVisible());
    help->showMinimized();
    ASSERT_TRUE(help->isMinimized());
    pressF1();
    EXPECT_FALSE(help->isMinimized());
    EXPECT_TRUE(help->isVisible());
    // The same window is used again.
    EXPECT_EQ(frm->findChildren<FrmHelp*>().size(), 1);
}

}  // namespace
}  // namespace lxt

// The form helpers: focus only where it can be taken, and the window-wide font family.
#include "app/cv_common.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace lxt {
namespace {

TEST(SetFocusIfPossible, OnlyVisibleEnabledControlsTakeTheFocus) {
    QWidget form;
    auto* layout = new QVBoxLayout(&form);
    auto* hidden = new QPushButton(QStringLiteral("hidden"));
    auto* disabled = new QPushButton(QStringLiteral("disabled"));
    auto* usable = new QPushButton(QStringLiteral("usable"));
    for (QPushButton* b : {hidden, disabled, usable}) layout->addWidget(b);
    form.show();
    hidden->hide();
    disabled->setEnabled(false);
    form.activateWindow();
    EXPECT_FALSE(SetFocusIfPossible(hidden));
    EXPECT_FALSE(SetFocusIfPossible(disabled));
    EXPECT_FALSE(SetFocusIfPossible(nullptr));
    EXPECT_TRUE(SetFocusIfPossible(usable));
    EXPECT_EQ(form.focusWidget(), usable);
}

TEST(SetFormFonts, TextBoxesChangeOnlyWhenIncluded) {
    QWidget form;
    auto* frame = new QGroupBox(&form);
    auto* box = new QCheckBox(QStringLiteral("box"), frame);
    auto* text = new QLineEdit(frame);
    QFont bold = box->font();
    bold.setBold(true);
    box->setFont(bold);
    const QString textFamily = text->font().family();

    SetFormFonts(&form, QStringLiteral("Arial"), false, true);
    EXPECT_EQ(frame->font().family(), "Arial");
    EXPECT_EQ(box->font().family(), "Arial");
    EXPECT_TRUE(box->font().bold());
    // Left out, and not taken over from its frame either.
    EXPECT_EQ(text->font().family(), textFamily);

    SetFormFonts(&form, QStringLiteral("Courier New"), true, false);
    EXPECT_EQ(text->font().family(), "Courier New");
    EXPECT_EQ(box->font().family(), "Courier New");
}

TEST(Twips, FifteenTwipsMakeOnePixel) {
    EXPECT_EQ(TwipsToPixels(2400), 160);
    EXPECT_EQ(TwipsToPixels(14), 0);
    EXPECT_EQ(PixelsToTwips(20), 300);
}

}  // namespace
}  // namespace lxt

// Helpers shared by the windows: focus that is only given where it can be taken, the
// window-wide font family, and the conversion between twips (the unit of every size and
// position the windows are described in) and device-independent pixels.
#pragma once

#include <QString>

class QWidget;

namespace lxt {

// One device-independent pixel is 15 twips.
inline constexpr int kTwipsPerPixel = 15;

constexpr int TwipsToPixels(int twips) {
    return twips / kTwipsPerPixel;
}
constexpr int PixelsToTwips(int pixels) {
    return pixels * kTwipsPerPixel;
}

// Gives `control` the focus when it is visible and enabled and returns true; otherwise
// changes nothing and returns false.
bool SetFocusIfPossible(QWidget* control);

// Sets the font family of every frame, button, check box, label, option button and combo
// box of `form`; of every text box too when `includeTextBoxes`; of every button (again)
// when `includeButtons`. Sizes and styles are kept, and text boxes that are left out keep
// their own family even when their frame changes.
void SetFormFonts(QWidget* form, const QString& fontName, bool includeTextBoxes,
                  bool includeButtons);

}  // namespace lxt

// The user's settings as plain values, one field per control of the two windows.
// A run takes a copy when it starts; the settings file is read into and written from it.
// Check boxes hold 0 (clear) or 1 (ticked); 2 is accepted on restore. Lists hold a 0-based
// index, -1 meaning no selection.
#pragma once

#include <QString>
#include <array>

namespace lxt {

struct Settings {
    // Settings window: word rules.
    int chkAllowWordsWithHyphens = 1;
    int chkAllowWordsWithApostrophes = 0;
    int chkAllowWordsWithNumerals = 0;
    int chkCaseSignificant = 0;
    int chkDropFinalS = 0;
    int chkOnly7bitASCII = 0;

    // Settings window: exclusions and output.
    int chkIgnoreNoVowel = 1;
    int chkIgnoreInfrequentWords = 0;
    int cboThresholdFrequency = 0;  // 0 means "2" ... 7 means "9"
    int chkOutputWithCommas = 0;
    int chkWarnOnOverwrite = 0;
    int chkSaveStateOnQuit = 0;
    int chkIgnoreCommonWords = 0;
    QString txbCommonWordsFile;
    QString txbWordsToIgnore;

    // Settings window: comment markers (saved and shown; the scanner uses the markup mode's).
    int chkAllowCommentMarkers = 1;
    std::array<QString, 2> txbStartComment{QStringLiteral("/*"), QStringLiteral("//")};
    std::array<QString, 2> txbEndComment{QStringLiteral("*/"), QString()};

    // Main window.
    std::array<QString, 2> txbFile;  // 0 input file, 1 output file
    int chkSuppressWords = 0;
    int chkDisableOutputToFile = 0;
    int chkUTF8 = 0;
    int cboWordOrder = 0;      // 0 by frequency, 1 alphabetically
    int cboDisplayFormat = 0;  // 0..9
    bool optInFile = true;     // false: the source is the clipboard (optOnClipboard)
    QString strCommonWordsFile;
};

}  // namespace lxt

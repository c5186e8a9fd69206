// The 39-line settings file: the state file lxt.usr in the per-user data folder and the
// named settings files (*.lxt) share it. Saving replaces a file only once the new one is
// complete; restoring hands back the fields read before any error so that the windows can
// apply them line by line. Neither operation shows a message: they return the error text.
#pragma once

#include <QString>

#include "settings/settings.h"
#include "support/message_numbers.h"

namespace lxt {

inline constexpr int kSettingsFileLines = 39;
inline constexpr char kStateFileName[] = "lxt.usr";
// Catalogue message naming the per-user data folder.

inline constexpr char kSaveErrorPrefix[] = "Error when attempting to save settings: ";
inline constexpr char kRestoreErrorPrefix[] = "Error when attempting to restore settings: ";
inline constexpr char kInvalidComboBoxIndex[] = "Invalid combo box index";
// Descriptions of the errors found in the file's contents.
inline constexpr char kInvalidPropertyValue[] = "Invalid property value";
inline constexpr char kInputPastEndOfFile[] = "Input past end of file";
inline constexpr char kTypeMismatch[] = "Type mismatch";
inline constexpr char kOverflow[] = "Overflow";
// The largest settings file read: far more than 39 lines with the longest texts the windows
// take (the words to ignore).
inline constexpr qint64 kMaxSettingsFileBytes = 4 * 1024 * 1024;
inline constexpr char kSettingsFileTooLarge[] =
    "The file is larger than 4 MB, far larger than any settings file";

// Number of items of the three lists whose index is stored.
inline constexpr int kThresholdItems = 8;
inline constexpr int kWordOrderItems = 2;
inline constexpr int kDisplayFormatItems = 10;

// The full path of the state file (the per-user data folder is created when missing).
QString StateFilePath();

// The bytes of the settings file for `settings`: 39 lines in Windows-1252, each ended by
// CR LF. A double quote inside a text is written doubled, so that it reads back as one
// quote; texts without double quotes are written unchanged between two double quotes.
QByteArray SettingsFileBytes(const Settings& settings);

// Writes `settings` to `path` (the state file when empty). The old file is replaced only
// when the new one has been written completely. Returns the error text, empty on success.
QString SaveState(const Settings& settings, const QString& path);

struct RestoredSettings {
    Settings settings;     // the starting values with lines 1..linesApplied applied
    int linesApplied = 0;  // the last line whose field was applied (0..39)
    QString errorText;     // empty on success
};

// Reads `path` (the state file when empty) on top of `current`. Every field is checked as
// the matching control would check it; reading stops at the first refused field. Line 3
// sets the text of the words to ignore only: the caller normalises it into the list.
RestoredSettings RestoreSavedState(const QString& path, const Settings& current);

// Copies the field of settings-file line `line` (1..39) from `from` into `to`; reserved
// lines copy nothing. Lets a window apply a restore to its controls in line order.
void ApplySettingsLine(int line, const Settings& from, Settings& to);

}  // namespace lxt

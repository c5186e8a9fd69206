// Folder services: existence, deleting a whole folder tree, the per-user application-data
// folder and the settings file path.
// Failures come back as results and out arguments; nothing here shows a message.
#pragma once

#include <QString>

namespace lxt {

// The user's application-data folder: %APPDATA% on Windows, $XDG_CONFIG_HOME or ~/.config
// elsewhere.
inline constexpr int kSpecialFolderAppData = 26;

// True for an existing folder (the path is trimmed first).
bool FolderExists(const QString& path);

// Deletes a folder with everything in it; read-only files only when force is set (without
// it a tree holding one is left whole). False with a description when the folder is missing
// or cannot be deleted.
bool DeleteFolderTree(const QString& path, QString& errorDescription, bool force);

// The path of a special folder, or empty for one this program does not know.
QString SpecialFolder(int folderId);

// The full path of a per-user file: the application-data folder (else the first fixed drive),
// the sub-folder, which is made when missing, and the file name.
QString SettingsFilePath(const QString& fileName, const QString& subFolder);

}  // namespace lxt

// Folder services: existence, deleting a whole folder tree, the per-user application-data
// folder and settings file path, and private numbered temporary folders (LXT001 ...).
// Failures come back as results and out arguments; nothing here shows a message.
#pragma once

#include <QString>

namespace lxt {

// The user's application-data folder: %APPDATA% on Windows, $XDG_CONFIG_HOME or ~/.config
// elsewhere.
inline constexpr int kSpecialFolderAppData = 26;
// Numbers of the temporary folders: tag followed by 001 to 999.
inline constexpr int kTemporaryFolderFirst = 1;
inline constexpr int kTemporaryFolderLast = 999;

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

// Makes a new empty folder named tag and the first free number 001-999 (a name taken by a
// file or folder is skipped): on Windows on the first fixed drive (C:\LXT001), elsewhere in
// the system's temporary folder. Gives its path, with a final separator when asked, or empty.
QString MakeTemporaryFolder(const QString& tag, bool trailingSeparator);

}  // namespace lxt

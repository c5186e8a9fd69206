// Files opened, tested and removed by the bytes of their names, so that a name that is not
// valid UTF-8 (held as native_file_name.h describes) names its own file and never another.
// Qt's file classes encode every name as UTF-8 and would turn such a name into another one;
// every user-chosen path is opened, tested or written through here instead.
#pragma once

#include <QFile>
#include <QString>

namespace lxt {

// What the system says of a path, symbolic links followed. A path in a folder that may not
// be searched exists when the system says so, but nothing else is known of it.
struct PathInfo {
    bool exists = false;
    bool isFolder = false;
    bool isRegular = false;
    bool isSpecial = false;      // a pipe, a device or a socket
    bool ownerWritable = false;  // the owner's write permission is set
    qint64 size = 0;
    quint64 device = 0;
    quint64 fileNumber = 0;
};

PathInfo InfoOfPath(const QString& path);

// Opens `file` on `path` as QFile::open(mode) would, by the path's bytes. WriteOnly makes a
// missing file and, unless Append is asked for, empties an existing one. On failure the file
// stays closed and errno says why. The opened file has no fileName().
bool OpenFile(QFile& file, const QString& path, QIODevice::OpenMode mode);

// True when the user may write to the existing path.
bool IsWritablePath(const QString& path);

// Removes a file (never a folder); true when it was removed.
bool RemoveFile(const QString& path);

// Makes an existing file writable by its owner; true when that worked.
bool MakeWritableByOwner(const QString& path);

// The current folder, and changing to another; false when it cannot be entered.
QString CurrentFolder();
bool SetCurrentFolder(const QString& folder);

// The path made absolute against the current folder and cleaned of "." and "..", without
// asking the system anything else. QFileInfo::absoluteFilePath() loses the bytes of a
// relative name that is not UTF-8.
QString AbsoluteFilePath(const QString& path);

// The folder of AbsoluteFilePath(path).
QString AbsoluteFolderOf(const QString& path);

// The absolute path with every symbolic link, "." and ".." resolved; empty when the path
// does not exist.
QString CanonicalFilePath(const QString& path);

// The file that a name shown with U+FFFD stands for. Qt's own dialogs show each byte of a
// name that is not UTF-8 as U+FFFD and give that text back, which names another file. When
// `path` does not exist and exactly one file of its folder is shown as its last part, that
// file's path is given; otherwise `path` itself.
QString FileShownAs(const QString& path);

// The system's description of an error number (errno).
QString SystemErrorText(int errorNumber);

}  // namespace lxt

// The browser launch: opens a web address, or any document, with the program that the
// desktop associates with it, and explains a failure in a message box. An address without
// a scheme that is not an absolute path (such as "manual.html#about") names a file in the
// program's folder.
#pragma once

#include <QString>
#include <QUrl>

namespace lxt {

class Ui;

inline constexpr char kLaunchErrorTitle[] = "Cannot launch web browser";
// Launch results, numbered as the shell numbers them; above kLaunchSucceeded is success.
inline constexpr int kLaunchFileNotFound = 2;
inline constexpr int kLaunchOutOfMemory = 8;
inline constexpr int kLaunchNoAssociation = 31;
inline constexpr int kLaunchSucceeded = 32;

// The address that `target` stands for.
QUrl ResolveWebTarget(const QString& target);
// The address as the user reads it (a local file as its path with the part after "#").
QString WebTargetDisplayText(const QString& target);

// The extension of `target` (the text after the last "." of its last path piece), lower
// case; empty when there is none.
QString WebTargetExtension(const QString& target);
// The message shown for launch result `result` (32 or below).
QString LaunchFailureText(int result, const QString& target);

// Opens `target`; on failure shows the failure text with the exclamation icon, OK and the
// title "Cannot launch web browser". Returns the launch result (above 32 on success).
int OpenWebLink(Ui& ui, const QString& target);

}  // namespace lxt

// The common file dialog CommonDialog1 that both windows use: what a window asks for (title,
// filter, open or save, whether the file must exist, starting folder) and the real Qt dialog
// that answers it. A window chooses through a replaceable FileChooser, so the request can be
// answered without a dialog.
#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace lxt {

enum class FileDialogMode { Open, Save };

struct FileDialogRequest {
    QString title;
    // Qt's form of a name filter ("Settings files (*.lxt)"); empty lists every file.
    QString filter;
    FileDialogMode mode = FileDialogMode::Open;
    // Open only: the chosen file must already exist.
    bool mustExist = false;
    // The folder the dialog starts in; empty: the current folder.
    QString directory;
    // The window the dialog belongs to; null: the main window.
    QWidget* owner = nullptr;
};

// Gives back the chosen file's path, or an empty text when the user cancels.
using FileChooser = std::function<QString(const FileDialogRequest&)>;

// The dialog object's name.
inline constexpr char kFileDialogName[] = "CommonDialog1";

// Shows the Qt file dialog for `request` as a modal child of its owner (else `parent`) and gives
// back the chosen path in the system's separators, or an empty text when cancelled. The file name
// box starts empty; a save over an existing file asks before overwriting.
QString ShowFileDialog(QWidget* parent, const FileDialogRequest& request);

}  // namespace lxt

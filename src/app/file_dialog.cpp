#include "app/file_dialog.h"

#include <QDir>
#include <QFileDialog>

#include "support/native_file.h"

namespace lxt {

QString ShowFileDialog(QWidget* parent, const FileDialogRequest& request) {
    QFileDialog dialog(request.owner != nullptr ? request.owner : parent, request.title,
                       request.directory.isEmpty() ? QDir::currentPath() : request.directory);
    dialog.setObjectName(QLatin1String(kFileDialogName));
    // The same dialog on every desktop, whichever platform theme is loaded.
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    if (!request.filter.isEmpty()) dialog.setNameFilter(request.filter);
    if (request.mode == FileDialogMode::Save) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(request.mustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    }
    dialog.selectFile(QString());
    if (dialog.exec() != QDialog::Accepted) return QString();
    const QStringList files = dialog.selectedFiles();
    if (files.isEmpty()) return QString();
    const QString chosen = QDir::toNativeSeparators(files.constFirst());
    // A file whose name is not UTF-8 is shown and given back with U+FFFD: opening takes the
    // file chosen. A save keeps the name as typed, so that no other file is overwritten.
    return request.mode == FileDialogMode::Open ? FileShownAs(chosen) : chosen;
}

}  // namespace lxt

#include "app/file_dialog.h"

#include <QDir>
#include <QFileDialog>

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
    return files.isEmpty() ? QString() : QDir::toNativeSeparators(files.constFirst());
}

}  // namespace lxt

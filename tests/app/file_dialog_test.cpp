// The real Qt file dialog behind both windows' file choices, opened modally and cancelled
// from a timer: what it is set up with for an Open and a Save request.
#include "app/file_dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QTimer>
#include <QWidget>

namespace lxt {
namespace {

struct DialogSetUp {
    bool found = false;
    QString objectName;
    QString title;
    QStringList filters;
    QFileDialog::AcceptMode acceptMode = QFileDialog::AcceptOpen;
    QFileDialog::FileMode fileMode = QFileDialog::AnyFile;
    QString directory;
    bool confirmOverwrite = false;
};

// Opens the dialog for `request` and cancels it as soon as it is the modal window; any other
// modal window is closed too, so the dialog can never be left waiting.
DialogSetUp OpenAndCancel(const FileDialogRequest& request, QString& answer) {
    DialogSetUp seen;
    QWidget parent;
    QTimer timer;
    timer.setInterval(5);
    QObject::connect(&timer, &QTimer::timeout, [&seen] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr) return;
        if (auto* dialog = qobject_cast<QFileDialog*>(modal); dialog != nullptr && !seen.found) {
            seen.found = true;
            seen.objectName = dialog->objectName();
            seen.title = dialog->windowTitle();
            seen.filters = dialog->nameFilters();
            seen.acceptMode = dialog->acceptMode();
            seen.fileMode = dialog->fileMode();
            seen.directory = dialog->directory().absolutePath();
            seen.confirmOverwrite = !dialog->testOption(QFileDialog::DontConfirmOverwrite);
        }
        modal->close();
    });
    timer.start();
    answer = ShowFileDialog(&parent, request);
    timer.stop();
    return seen;
}

TEST(ShowFileDialogTest, AnOpenRequestSetsUpTheDialogAndCancelGivesNothing) {
    FileDialogRequest request;
    request.title = QStringLiteral("Specify input file");
    request.filter = QStringLiteral("A text file or a docx file (*)");
    request.mustExist = true;
    request.directory = QDir::tempPath();
    QString answer = QStringLiteral("not asked");
    const DialogSetUp seen = OpenAndCancel(request, answer);
    ASSERT_TRUE(seen.found);
    EXPECT_TRUE(answer.isEmpty());
    EXPECT_EQ(seen.objectName, QStringLiteral("CommonDialog1"));
    EXPECT_EQ(seen.title, request.title);
    EXPECT_EQ(seen.filters, QStringList({request.filter}));
    EXPECT_EQ(seen.acceptMode, QFileDialog::AcceptOpen);
    EXPECT_EQ(seen.fileMode, QFileDialog::ExistingFile);
    EXPECT_EQ(seen.directory, QDir(QDir::tempPath()).absolutePath());
}

TEST(ShowFileDialogTest, ASaveRequestAsksBeforeOverwritingAndStartsInTheCurrentFolder) {
    FileDialogRequest request;
    request.title = QStringLiteral("Specify file to save settings to");
    request.filter = QStringLiteral("Settings files (*.lxt)");
    request.mode = FileDialogMode::Save;
    QString answer = QStringLiteral("not asked");
    const DialogSetUp seen = OpenAndCancel(request, answer);
    ASSERT_TRUE(seen.found);
    EXPECT_TRUE(answer.isEmpty());
    EXPECT_EQ(seen.acceptMode, QFileDialog::AcceptSave);
    EXPECT_EQ(seen.fileMode, QFileDialog::AnyFile);
    EXPECT_TRUE(seen.confirmOverwrite);
    EXPECT_EQ(seen.directory, QDir::currentPath());
}

}  // namespace
}  // namespace lxt

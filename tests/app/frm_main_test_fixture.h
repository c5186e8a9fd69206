// The main window started offscreen with a scripted Ui for its message boxes, its state file
// in a temporary folder, and the end of the process replaced by a flag.
#pragma once

#include <gtest/gtest.h>

#include <QByteArray>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QThread>
#include <QTimer>
#include <memory>
#include <vector>

#include "app/file_dialog.h"
#include "app/frm_main.h"
#include "app/frm_params.h"
#include "app/qt_ui.h"
#include "common/scripted_ui.h"
#include "common/temp_dir.h"
#include "settings/settings_file.h"
#include "support/catalogue.h"
#include "support/message_numbers.h"

namespace lxt::test {

class FrmMainTest : public ::testing::Test {
  protected:
    void SetUp() override {
        savedConfig_ = qgetenv("XDG_CONFIG_HOME");
        savedFolder_ = QDir::currentPath();
        qputenv("XDG_CONFIG_HOME", config.Path().toLocal8Bit());
        LoadCatalogue(CataloguePath(QCoreApplication::applicationDirPath()));
    }

    void TearDown() override {
        frm.reset();
        EXPECT_TRUE(fileAnswers_.isEmpty())
            << "file dialogs not opened: " << fileAnswers_.join(" | ").toStdString();
        // Start-up and the file checks move the current folder, possibly into a temporary
        // folder that is about to go.
        QDir::setCurrent(savedFolder_);
        if (savedConfig_.isEmpty()) {
            qunsetenv("XDG_CONFIG_HOME");
        } else {
            qputenv("XDG_CONFIG_HOME", savedConfig_);
        }
        EXPECT_TRUE(ui.AllExpectedShown())
            << "not shown: " << ui.PendingExpectations().join(" | ").toStdString();
    }

    // Creates the window and runs its start-up. No real file dialog is ever opened: each is
    // answered from AnswerFileDialogs, and one beyond those answers fails the test.
    void Start() {
        frm = std::make_unique<FrmMain>(&ui);
        frm->SetEndProcess([this] { ended = true; });
        frm->SetFileChooser([this](const FileDialogRequest& request) {
            fileRequests.push_back(request);
            if (fileAnswers_.isEmpty()) {
                ADD_FAILURE() << "unexpected file dialog: " << request.title.toStdString();
                return QString();
            }
            return fileAnswers_.takeFirst();
        });
        ASSERT_TRUE(frm->Form_Load());
    }

    // The answers to the next file dialogs, in order; an empty answer cancels.
    void AnswerFileDialogs(const QStringList& answers) { fileAnswers_ += answers; }

    // What the output box shows, with CR LF as the program writes it.
    QString Output() const { return frm->TheUi().OutputText(); }
    QString Shown() const {
        QCoreApplication::processEvents();
        return frm->txbOutput->toPlainText();
    }
    // Presses Stop at the second pump of the scan, answers Yes, then answers the listing
    // question. Every pump waits a little, so that the next one comes as soon as the scan
    // lets it, some words later (also in a second count, whose first pump is not at once).
    void StopAndAnswer(MsgResult list) {
        auto calls = std::make_shared<int>(0);
        FrmMain& window = *frm;
        ui.OnDoEvents([&window, calls] {
            QThread::msleep(kPumpPauseMs);
            if (!window.IsCounting()) return;
            if (++*calls == 2) window.cmdListWords_Click();
        });
        ui.Expect(Message(kMsgStopQuestion), MsgResult::Yes);
        ui.Expect(QStringLiteral("The operation was stopped before all words were counted."), list);
        frm->cmdListWords_Click();
    }
    static constexpr int kPumpPauseMs = 60;

    // Answers the question whether to load the common words of the input's language.
    void RefuseCommonWords() { ui.Expect(Message(kMsgQuestionCommonWords), MsgResult::No); }

    // Words of five letters, each with a vowel, all different: "abaaa", "abbaa", ...
    static QByteArray DistinctWords(int count) {
        QByteArray text;
        for (int i = 0; i < count; ++i) {
            QByteArray word = "ab";
            int n = i;
            for (int k = 0; k < 3; ++k) {
                word += static_cast<char>('a' + n % 26);
                n /= 26;
            }
            text += word + (i % 10 == 9 ? "\r\n" : " ");
        }
        return text;
    }

    TempDir config;
    TempDir files;
    ScriptedUi ui;
    std::unique_ptr<FrmMain> frm;
    bool ended = false;
    // What each file dialog was opened with.
    std::vector<FileDialogRequest> fileRequests;

  private:
    QStringList fileAnswers_;
    QByteArray savedConfig_;
    QString savedFolder_;
};

}  // namespace lxt::test

// The main window's side of the clipboard source: the two source options, the size of the
// clipboard text, and the paste that a click on the introduction box makes.
#include <QLabel>
#include <QRadioButton>

#include "app/frm_main.h"
#include "app/qt_ui.h"
#include "input/clipboard_source.h"
#include "run/run_statistics.h"

namespace lxt {

void FrmMain::optInFile_Click() {
    run_->blnWordsGot = false;
    run_->settings.optInFile = true;
    if (run_->blnListShown) ui_->OutputReplace(QString());
    lblSizeOfClipboardContents->clear();
    SetTheFocus();
}

void FrmMain::optOnClipboard_Click() {
    run_->blnWordsGot = false;
    run_->settings.optInFile = false;
    if (run_->blnListShown) ui_->OutputReplace(QString());
    ShowClipboardSize();
    SetTheFocus();
}

void FrmMain::txbIntro_Click() {
    run_->blnWordsGot = false;
    PasteClipboard(true);
}

void FrmMain::ShowClipboardSize() {
    lxt::ShowClipboardSize(*run_);
}

bool FrmMain::PasteClipboard(bool show) {
    TakeSettingsIntoRun();
    return Paste(*run_, show);
}

}  // namespace lxt

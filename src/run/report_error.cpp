#include "run/report_error.h"

#include "run/run_state.h"
#include "support/catalogue.h"
#include "support/message_numbers.h"
#include "support/ui.h"

namespace lxt {

void ReportError(RunState& run, int number, const QString& description, const QString& procedure) {
    // The elapsed-time display stops with the error.
    run.ui.StopElapsedTime();
    const QString crlf = QStringLiteral("\r\n");
    QString text;
    QString title;
    if (number == kErrOutputBoxFull) {
        text = Message(kMsgOutputBoxFull) + QStringLiteral("  ");
        if (run.settings.txbFile[1].isEmpty()) {
            text += Message(kMsgNameAnOutputFile);
        } else if (run.settings.chkDisableOutputToFile == 1) {
            text += Message(kMsgUntickDisable);
        } else if (run.blnOutputFileWritten) {
            text += crlf + Message(kMsgListInOutputFile);
        }
        title = Message(kMsgOutputBoxFull);
    } else {
        text = QStringLiteral("At ") + procedure + QStringLiteral(" error #") +
               QString::number(number) + QStringLiteral(".") + crlf +
               QStringLiteral("Description: ") + description;
        if (run.blnOutputFileWritten) text += crlf + Message(kMsgListInOutputFile);
        title = Message(kMsgTitleError);
    }
    run.ui.MsgBox(text, title, MsgButtons::Ok, MsgIcon::Exclamation);
}

}  // namespace lxt

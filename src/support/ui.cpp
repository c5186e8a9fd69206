#include "support/ui.h"

#include "support/str_proc.h"

namespace lxt {

bool Ui::ShowWordFound(QStringView word, bool firstOfRun) {
    QString shown;
    shown.reserve(word.size() + 1);
    shown += word;
    shown += u' ';
    if (firstOfRun) {
        OutputReplace(shown);
        return true;
    }
    if (OutputLength() > kDisplayCutOff) {
        if (!wordsFoundCutOff_) {
            OutputAppend(QString::fromUtf16(kSuppressionNotice));
            OutputCaretToEnd();
        }
        wordsFoundCutOff_ = true;
        SetCheckBox(UiCheckBox::SuppressWords, true);
        return false;
    }
    OutputAppend(shown);
    OutputCaretToEnd();
    return true;
}

void Ui::SetLabelNumber(UiLabel label, const char* prefix, qint64 number) {
    SetLabel(label, QString::fromLatin1(prefix) + GroupedNumber(number));
}

}  // namespace lxt

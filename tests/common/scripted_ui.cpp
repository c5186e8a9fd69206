#include "common/scripted_ui.h"

#include <gtest/gtest.h>

namespace lxt::test {

ScriptedUi& ScriptedUi::Expect(const QString& textPart, MsgResult answer) {
    expected_.push_back({false, textPart, answer, std::nullopt});
    return *this;
}

ScriptedUi& ScriptedUi::ExpectInput(const QString& promptPart, std::optional<QString> answer) {
    expected_.push_back({true, promptPart, MsgResult::Ok, std::move(answer)});
    return *this;
}

MsgResult ScriptedUi::MsgBox(const QString& text, const QString& title, MsgButtons buttons,
                             MsgIcon icon, int defaultButton) {
    shown.push_back({text, title, buttons, icon, defaultButton});
    if (!expected_.empty() && !expected_.front().input && text.contains(expected_.front().part)) {
        MsgResult answer = expected_.front().answer;
        expected_.pop_front();
        return answer;
    }
    if (!allowUnexpected_) {
        ADD_FAILURE() << "Unexpected message box: \"" << text.toStdString() << "\" titled \""
                      << title.toStdString() << "\"";
    }
    return buttons == MsgButtons::YesNo || buttons == MsgButtons::YesNoCancel ? MsgResult::No
                                                                              : MsgResult::Ok;
}

std::optional<QString> ScriptedUi::InputBox(const QString& prompt, const QString& /*title*/,
                                            const QString& /*defaultText*/) {
    inputPrompts.push_back(prompt);
    if (!expected_.empty() && expected_.front().input && prompt.contains(expected_.front().part)) {
        auto answer = expected_.front().inputAnswer;
        expected_.pop_front();
        return answer;
    }
    if (!allowUnexpected_)
        ADD_FAILURE() << "Unexpected input box: \"" << prompt.toStdString() << "\"";
    return std::nullopt;
}

void ScriptedUi::DoEvents() {
    ++doEventsCalls;
    if (onDoEvents_) onDoEvents_();
}

void ScriptedUi::SetLabel(UiLabel label, const QString& caption) {
    labels[label] = caption;
    labelHistory[label].push_back(caption);
}

void ScriptedUi::SetLabelVisible(UiLabel label, bool visible) {
    labelVisible[label] = visible;
}

QStringList ScriptedUi::PendingExpectations() const {
    QStringList out;
    for (const auto& e : expected_) out << e.part;
    return out;
}

}  // namespace lxt::test

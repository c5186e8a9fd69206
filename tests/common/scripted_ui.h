// A Ui for tests: it answers questions from a script of expected messages, records
// everything shown, and fails the running test on a message nobody expected.
#pragma once

#include <QString>
#include <QStringList>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <vector>

#include "support/ui.h"

namespace lxt::test {

struct ShownMessage {
    QString text;
    QString title;
    MsgButtons buttons;
    MsgIcon icon;
    int defaultButton;
};

class ScriptedUi : public Ui {
  public:
    // Expect a message box whose text contains `textPart`; answer it with `answer`.
    ScriptedUi& Expect(const QString& textPart, MsgResult answer = MsgResult::Ok);
    // Expect an input box whose prompt contains `promptPart`; answer with text or cancel.
    ScriptedUi& ExpectInput(const QString& promptPart, std::optional<QString> answer);
    // Messages that are shown without a script entry are answered Ok and recorded,
    // instead of failing the test.
    void AllowUnexpected(bool allow) { allowUnexpected_ = allow; }
    // Called on every DoEvents; lets a test press Stop part-way through a run.
    void OnDoEvents(std::function<void()> hook) { onDoEvents_ = std::move(hook); }

    MsgResult MsgBox(const QString& text, const QString& title, MsgButtons buttons, MsgIcon icon,
                     int defaultButton) override;
    std::optional<QString> InputBox(const QString& prompt, const QString& title,
                                    const QString& defaultText) override;
    void DoEvents() override;

    void SetLabel(UiLabel label, const QString& caption) override;
    void SetLabelVisible(UiLabel label, bool visible) override;
    void SetProgressBarLook(bool bar) override { progressBarLook = bar; }
    void SetCheckBox(UiCheckBox box, bool ticked) override { checkBoxes[box] = ticked; }
    void ShowRunPhase(RunPhase phase) override { phases.push_back(phase); }

    // True when every expected message was shown.
    bool AllExpectedShown() const { return expected_.empty(); }
    QStringList PendingExpectations() const;

    std::vector<ShownMessage> shown;
    QStringList inputPrompts;
    std::map<UiLabel, QString> labels;
    std::map<UiLabel, QStringList> labelHistory;
    std::map<UiLabel, bool> labelVisible;
    std::map<UiCheckBox, bool> checkBoxes;
    std::vector<RunPhase> phases;  // every phase the engine entered, in order
    bool progressBarLook = false;
    int doEventsCalls = 0;

  private:
    struct Expectation {
        bool input;
        QString part;
        MsgResult answer;
        std::optional<QString> inputAnswer;
    };
    std::deque<Expectation> expected_;
    bool allowUnexpected_ = false;
    std::function<void()> onDoEvents_;
};

// Lets the elapsed time of `ui` run and ticks it on to `seconds`, as Timer2 would.
inline void RunElapsedTimeTo(Ui& ui, qint32 seconds) {
    ui.ResumeElapsedTime();
    while (ui.SecondsElapsed() < seconds) ui.TickElapsedTime();
}

}  // namespace lxt::test

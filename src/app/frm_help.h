// The help window: a fixed help text in a resizable window beside the main window. It is
// filled once when it is created and afterwards only hidden and shown again, keeping its
// text, size and place.
#pragma once
#include "support/message_numbers.h"

#include <QString>
#include <QWidget>
#include <functional>

class QPlainTextEdit;
class QPushButton;

namespace lxt {

inline constexpr char kHelpCaption[] = "LXT Help";
inline constexpr char kHelpCloseCaption[] = "Close";
// Catalogue message holding the address of the online manual page.

// The help text: eleven paragraphs, each followed by CR LF twice. `manualAddress` is
// shown in the first.
QString HelpText(const QString& manualAddress);

class FrmHelp : public QWidget {
    Q_OBJECT

  public:
    // Placed and sized after `mainWindow`; `setTheFocus` gives the focus back to the main
    // window when the help is closed.
    FrmHelp(QWidget& mainWindow, std::function<void()> setTheFocus);

    // The Help button: restores the window when it is minimised, otherwise shows it.
    void ShowOrRestore();
    void cmdClose_Click();

    QPlainTextEdit* txbHelpScreen = nullptr;
    QPushButton* cmdClose = nullptr;

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    void Form_Resize();

    std::function<void()> setTheFocus_;
};

}  // namespace lxt

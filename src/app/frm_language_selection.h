// The language picker: a small modal window that offers the six languages of the shipped
// common-words files, "English and German" and "All six languages". It opens over the
// button that opened it, always with no entry chosen, and tells which entry was chosen
// (-1 when cancelled); loading the file is up to the caller.
#pragma once

#include <QDialog>
#include <QString>

class QComboBox;
class QLabel;
class QPushButton;

namespace lxt {

inline constexpr char kSelectLanguageLabel[] = "Ignore common words in which language?";
inline constexpr char kCancelCaption[] = "Cancel";

class FrmLanguageSelection : public QDialog {
    Q_OBJECT

  public:
    // `caption` is the caption of the button that opens the picker; `anchor` is that button.
    FrmLanguageSelection(QWidget* parent, const QString& caption, QWidget* anchor);

    // Shows the picker modally and gives intLanguageSelected when it has closed.
    int Choose();

    void cboCommonWordsFiles_Click();
    void cmdAccept_Click();
    void cmdCancel_Click();

    // The chosen entry, or -1 when the picker was cancelled.
    int intLanguageSelected = -1;

    QLabel* lblSelectLanguageOfWordsToIgnore = nullptr;
    QComboBox* cboCommonWordsFiles = nullptr;
    QPushButton* cmdAccept = nullptr;
    QPushButton* cmdCancel = nullptr;

  protected:
    void showEvent(QShowEvent* event) override;
    void reject() override;

  private:
    void Form_Activate();

    QWidget* anchor_;
};

}  // namespace lxt

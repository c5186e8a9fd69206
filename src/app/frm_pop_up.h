// The pop-up window: a short message that closes by itself after a given time or at once
// when clicked. It is shown modally, so the caller waits until it has closed; sizes and
// positions are given in twips. One window serves every pop-up.
#pragma once

#include <QDialog>
#include <QString>

class QLabel;
class QTimer;

namespace lxt {

class FrmPopUp : public QDialog {
    Q_OBJECT

  public:
    explicit FrmPopUp(QWidget* parent = nullptr);

    // Shows the message at screen position (intLeft, intTop) with the given size.
    void PopUp(const QString& strMessage, int intWidth, int intHeight, int intInterval, int intTop,
               int intLeft);
    // The same, centred on the screen by the window's size before this call.
    void PopUpCenterScreen(const QString& strMessage, int intWidth, int intHeight, int intInterval);
    // The same, at (intLeft, intTop) from the top left of the window `frmMe`.
    void PopUpInForm(const QWidget& frmMe, const QString& strMessage, int intWidth, int intHeight,
                     int intInterval, int intTop, int intLeft);

    void Timer1_Timer();
    void lblMessage_MouseUp();

    QLabel* lblMessage = nullptr;
    QTimer* Timer1 = nullptr;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void StartAndWait(int intInterval);
};

}  // namespace lxt

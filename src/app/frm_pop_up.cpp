#include "app/frm_pop_up.h"

#include <QEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QTimer>
#include <cmath>

#include "app/cv_common.h"

namespace lxt {

FrmPopUp::FrmPopUp(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("frmPopUp"));
    setModal(true);
    lblMessage = new QLabel(this);
    lblMessage->setObjectName(QStringLiteral("lblMessage"));
    lblMessage->setAlignment(Qt::AlignCenter);
    lblMessage->setWordWrap(true);
    lblMessage->setFrameShape(QFrame::Box);
    lblMessage->installEventFilter(this);
    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    connect(Timer1, &QTimer::timeout, this, [this] { Timer1_Timer(); });
}

void FrmPopUp::PopUp(const QString& strMessage, int intWidth, int intHeight, int intInterval,
                     int intTop, int intLeft) {
    lblMessage->setText(strMessage);
    resize(TwipsToPixels(intWidth), TwipsToPixels(intHeight));
    lblMessage->setGeometry(0, 0, width(), height());
    move(TwipsToPixels(intLeft), TwipsToPixels(intTop));
    StartAndWait(intInterval);
}

void FrmPopUp::PopUpCenterScreen(const QString& strMessage, int intWidth, int intHeight,
                                 int intInterval) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QSize screenSize = screen != nullptr ? screen->size() : QSize();
    const int screenHeight = PixelsToTwips(screenSize.height());
    const int screenWidth = PixelsToTwips(screenSize.width());
    const int windowHeight = PixelsToTwips(height());
    const int windowWidth = PixelsToTwips(width());
    const int top = static_cast<int>(std::lround((screenHeight - windowHeight) / 2.0));
    const int left = static_cast<int>(std::lround((screenWidth - windowWidth) / 2.0));
    PopUp(strMessage, intWidth, intHeight, intInterval, top, left);
}

void FrmPopUp::PopUpInForm(const QWidget& frmMe, const QString& strMessage, int intWidth,
                           int intHeight, int intInterval, int intTop, int intLeft) {
    const QPoint origin = frmMe.frameGeometry().topLeft();
    move(origin.x() + TwipsToPixels(intLeft), origin.y() + TwipsToPixels(intTop));
    lblMessage->setText(strMessage);
    resize(TwipsToPixels(intWidth), TwipsToPixels(intHeight));
    lblMessage->resize(width(), lblMessage->height());
    StartAndWait(intInterval);
}

void FrmPopUp::Timer1_Timer() {
    Timer1->stop();
    hide();
}

void FrmPopUp::lblMessage_MouseUp() {
    Timer1->stop();
    hide();
}

bool FrmPopUp::eventFilter(QObject* watched, QEvent* event) {
    if (watched == lblMessage && event->type() == QEvent::MouseButtonRelease) {
        lblMessage_MouseUp();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void FrmPopUp::StartAndWait(int intInterval) {
    Timer1->setInterval(std::max(0, intInterval));
    Timer1->start();
    exec();
}

}  // namespace lxt

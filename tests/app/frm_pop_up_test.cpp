// The pop-up window: its size and place in twips, closing by itself after its interval and
// at once on a click.
#include "app/frm_pop_up.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>
#include <QTimer>
#include <cmath>

namespace lxt {
namespace {

TEST(FrmPopUp, ClosesAfterItsInterval) {
    FrmPopUp popUp;
    QSize shownSize;
    QPoint shownPos;
    bool wasVisible = false;
    QTimer::singleShot(50, [&] {
        wasVisible = popUp.isVisible();
        shownSize = popUp.size();
        shownPos = popUp.pos();
    });
    QElapsedTimer clock;
    clock.start();
    popUp.PopUp(QStringLiteral("Settings saved"), 2400, 300, 400, 6500, 5200);
    const qint64 elapsed = clock.elapsed();
    EXPECT_GE(elapsed, 350);
    EXPECT_LT(elapsed, 5000);
    EXPECT_TRUE(wasVisible);
    EXPECT_FALSE(popUp.isVisible());
    EXPECT_FALSE(popUp.Timer1->isActive());
    EXPECT_EQ(shownSize, QSize(160, 20));
    EXPECT_EQ(shownPos, QPoint(5200 / 15, 6500 / 15));
    EXPECT_EQ(popUp.lblMessage->text(), "Settings saved");
    EXPECT_EQ(popUp.lblMessage->size(), QSize(160, 20));
}

TEST(FrmPopUp, ClosesAtOnceOnAClick) {
    FrmPopUp popUp;
    QTimer::singleShot(50, [&] {
        const QPointF at(5, 5);
        QMouseEvent release(QEvent::MouseButtonRelease, at, popUp.lblMessage->mapToGlobal(at),
                            Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(popUp.lblMessage, &release);
    });
    QElapsedTimer clock;
    clock.start();
    popUp.PopUp(QStringLiteral("Click me"), 3000, 600, 60000, 1500, 1500);
    EXPECT_LT(clock.elapsed(), 30000);
    EXPECT_FALSE(popUp.isVisible());
    EXPECT_FALSE(popUp.Timer1->isActive());
}

TEST(FrmPopUp, PlacedInsideAWindowOrCentredOnTheScreen) {
    QWidget owner;
    owner.setGeometry(200, 150, 600, 400);
    FrmPopUp popUp;
    QPoint inForm;
    QTimer::singleShot(20, [&] { inForm = popUp.pos(); });
    popUp.PopUpInForm(owner, QStringLiteral("In the window"), 1500, 450, 100, 300, 600);
    EXPECT_EQ(inForm, owner.frameGeometry().topLeft() + QPoint(600 / 15, 300 / 15));
    EXPECT_EQ(popUp.lblMessage->width(), 100);

    // Centred by the size the window had before the call (100 x 30 pixels here).
    const QSize screen = QGuiApplication::primaryScreen()->size();
    QPoint centred;
    QTimer::singleShot(20, [&] { centred = popUp.pos(); });
    popUp.PopUpCenterScreen(QStringLiteral("Centred"), 3000, 900, 100);
    const int top = static_cast<int>(std::lround((screen.height() * 15 - 450) / 2.0)) / 15;
    const int left = static_cast<int>(std::lround((screen.width() * 15 - 1500) / 2.0)) / 15;
    EXPECT_EQ(centred, QPoint(left, top));
}

}  // namespace
}  // namespace lxt

#include "app/frm_language_selection.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include "app/cv_common.h"
#include "support/language_tables.h"

namespace lxt {

namespace {
constexpr char kArial[] = "Arial";
// The accept button is as wide as its longer caption needs, in twips.
constexpr int kWindowWidth = 5400;
}  // namespace

FrmLanguageSelection::FrmLanguageSelection(QWidget* parent, const QString& caption, QWidget* anchor)
    : QDialog(parent), anchor_(anchor) {
    setObjectName(QStringLiteral("frmLanguageSelection"));
    setModal(true);
    lblSelectLanguageOfWordsToIgnore = new QLabel(QLatin1String(kSelectLanguageLabel), this);
    lblSelectLanguageOfWordsToIgnore->setObjectName(
        QStringLiteral("lblSelectLanguageOfWordsToIgnore"));
    cboCommonWordsFiles = new QComboBox(this);
    cboCommonWordsFiles->setObjectName(QStringLiteral("cboCommonWordsFiles"));
    cmdAccept = new QPushButton(PickerAcceptCaption(0), this);
    cmdAccept->setObjectName(QStringLiteral("cmdAccept"));
    cmdAccept->setAutoDefault(false);
    cmdCancel = new QPushButton(QLatin1String(kCancelCaption), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    cmdCancel->setAutoDefault(false);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblSelectLanguageOfWordsToIgnore);
    layout->addWidget(cboCommonWordsFiles);
    layout->addWidget(cmdAccept);
    layout->addWidget(cmdCancel);
    setMinimumWidth(TwipsToPixels(kWindowWidth));

    connect(cboCommonWordsFiles, &QComboBox::currentIndexChanged, this,
            [this] { cboCommonWordsFiles_Click(); });
    connect(cmdAccept, &QPushButton::clicked, this, [this] { cmdAccept_Click(); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });

    // Form_Load.
    SetFormFonts(this, QLatin1String(kArial), false, true);
    setWindowTitle(caption);
    cboCommonWordsFiles->clear();
    cboCommonWordsFiles->addItems(PickerEntryTexts());
    cboCommonWordsFiles->setCurrentIndex(-1);
}

int FrmLanguageSelection::Choose() {
    exec();
    return intLanguageSelected;
}

void FrmLanguageSelection::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    Form_Activate();
}

void FrmLanguageSelection::Form_Activate() {
    intLanguageSelected = -1;
    if (anchor_ != nullptr) {
        const QWidget* settings = anchor_->window();
        const QPoint offset = anchor_->mapTo(settings, QPoint(0, 0));
        move(settings->frameGeometry().topLeft() + offset);
    }
    cboCommonWordsFiles->setCurrentIndex(-1);
    cmdAccept->setEnabled(false);
    cmdCancel->setFocus(Qt::OtherFocusReason);
}

void FrmLanguageSelection::cboCommonWordsFiles_Click() {
    const int entry = cboCommonWordsFiles->currentIndex();
    cmdAccept->setEnabled(entry >= 0);
    if (entry >= 0) cmdAccept->setText(PickerAcceptCaption(entry));
    if (!SetFocusIfPossible(cmdAccept)) SetFocusIfPossible(cmdCancel);
}

void FrmLanguageSelection::cmdAccept_Click() {
    intLanguageSelected = cboCommonWordsFiles->currentIndex();
    hide();
}

void FrmLanguageSelection::cmdCancel_Click() {
    intLanguageSelected = -1;
    hide();
}

void FrmLanguageSelection::reject() {
    // Escape and the close box cancel, as the Cancel button does.
    intLanguageSelected = -1;
    QDialog::reject();
}

}  // namespace lxt

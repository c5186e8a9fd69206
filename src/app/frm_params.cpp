// The Settings window: its controls, their layout, the exchange with the settings record,
// the defaults and the placement. The handlers are in frm_params_handlers.cpp.
#include "app/frm_params.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <utility>

#include "app/cv_common.h"
#include "app/frm_language_selection.h"
#include "app/frm_main.h"
#include "app/window_accessibility.h"
#include "run/run_state.h"
#include "scan/markup.h"

namespace lxt {

namespace {

constexpr char kArial[] = "Arial";
constexpr char kCourierNew[] = "Courier New";
// The window opens this far right of the main window's Settings button, in twips.
constexpr int kBesideSettingsButton = 300;
// Room below the lowest group for the two loose buttons, in twips.
constexpr int kBelowLowestGroup = 600;
// lblParameters starts this far right of the left edge of cmdInitialize, in twips.
constexpr int kParametersIndent = 150;
constexpr int kCheckIndent = 300;
constexpr int kCommentBoxWidth = 900;

constexpr char kSelectOtherTip1[] = "This is for a file containing words (such as common words) ";
constexpr char kSelectOtherTip2[] = "which should be ignored.";
constexpr char kSelectLanguageTip[] =
    "This is for a file containing words in some language which are to be ignored.";
constexpr char kWordsToIgnoreTip[] =
    "Add additional words to ignore here.  Words must be separated by spaces, not commas.";

QCheckBox* NewCheckBox(QWidget* parent, const char* name, const char* caption) {
    auto* box = new QCheckBox(QString::fromUtf8(caption), parent);
    box->setObjectName(QLatin1String(name));
    return box;
}

QLabel* NewLabel(QWidget* parent, const char* name, const char* caption) {
    auto* label = new QLabel(QString::fromUtf8(caption), parent);
    label->setObjectName(QLatin1String(name));
    return label;
}

QPushButton* NewButton(QWidget* parent, const QString& name, const char* caption) {
    auto* button = new QPushButton(QString::fromUtf8(caption), parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

QLineEdit* NewTextBox(QWidget* parent, const QString& name) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(name);
    QFont font{QString::fromLatin1(kCourierNew)};
    font.setStyleHint(QFont::TypeWriter);
    box->setFont(font);
    return box;
}

QGroupBox* NewFrame(QWidget* parent, const char* name) {
    auto* frame = new QGroupBox(parent);
    frame->setObjectName(QLatin1String(name));
    return frame;
}

QString Indexed(const char* name, int index) {
    return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(index);
}

int CheckValue(const QCheckBox* box) {
    switch (box->checkState()) {
        case Qt::Checked:
            return 1;
        case Qt::PartiallyChecked:
            return 2;
        default:
            return 0;
    }
}

void SetCheckValue(QCheckBox* box, int value) {
    box->setCheckState(value == 1   ? Qt::Checked
                       : value == 2 ? Qt::PartiallyChecked
                                    : Qt::Unchecked);
}

QWidget* Indented(QWidget* control) {
    auto* holder = new QWidget;
    auto* layout = new QHBoxLayout(holder);
    layout->setContentsMargins(TwipsToPixels(kCheckIndent), 0, 0, 0);
    layout->addWidget(control);
    return holder;
}

}  // namespace

FrmParams::FrmParams(FrmMain& main) : QWidget(&main, Qt::Window), main_(main) {
    setObjectName(QStringLiteral("frmParams"));
    MakeAccessibleWindow(*this);
    BuildControls();

    // Form_Load.
    lblParameters->clear();
    txbParametersFile->clear();
    txbParametersFile->setVisible(false);
    const QPushButton* settingsButton = main_.cmdSetParameters;
    setWindowTitle(settingsButton != nullptr ? settingsButton->text() : QStringLiteral("Settings"));
    cmdSelectCommonWordsFile[0]->setToolTip(QLatin1String(kSelectOtherTip1) +
                                            QLatin1String(kSelectOtherTip2));
    cmdSelectCommonWordsFile[1]->setToolTip(QLatin1String(kSelectLanguageTip));
    txbWordsToIgnore->setToolTip(QLatin1String(kWordsToIgnoreTip));
    SetFormFonts(this, QLatin1String(kArial), false, true);
    adjustSize();
    resize(width(), fraSettingsFiles->geometry().bottom() + TwipsToPixels(kBelowLowestGroup));
    chkAllowCommentMarkers->setChecked(true);
    // The handlers are connected last: the main window's run state is only read from then on.
    ConnectHandlers();
}

FrmParams::~FrmParams() = default;

void FrmParams::BuildControls() {
    // Word rules.
    fraWordRules = NewFrame(this, "fraWordRules");
    lblAllowWordsWith = NewLabel(fraWordRules, "lblAllowWordsWith", "Allow 'words' with:");
    chkAllowWordsWithHyphens = NewCheckBox(fraWordRules, "chkAllowWordsWithHyphens", "hyphens -");
    chkAllowWordsWithApostrophes =
        NewCheckBox(fraWordRules, "chkAllowWordsWithApostrophes", "apostrophes '");
    chkAllowWordsWithNumerals = NewCheckBox(fraWordRules, "chkAllowWordsWithNumerals", "numerals");
    lblFurthermore = NewLabel(fraWordRules, "lblFurthermore", "Furthermore:");
    chkCaseSignificant =
        NewCheckBox(fraWordRules, "chkCaseSignificant", "Upper/lower case significant");
    chkDropFinalS =
        NewCheckBox(fraWordRules, "chkDropFinalS", "Drop final 's' unless 'ss' or vowel+'s'");
    chkOnly7bitASCII =
        NewCheckBox(fraWordRules, "chkOnly7bitASCII", "Allow only 7-bit ASCII characters");
    {
        auto* layout = new QVBoxLayout(fraWordRules);
        layout->setSpacing(2);
        layout->addWidget(lblAllowWordsWith);
        layout->addWidget(Indented(chkAllowWordsWithHyphens));
        layout->addWidget(Indented(chkAllowWordsWithApostrophes));
        layout->addWidget(Indented(chkAllowWordsWithNumerals));
        layout->addWidget(lblFurthermore);
        layout->addWidget(Indented(chkCaseSignificant));
        layout->addWidget(Indented(chkDropFinalS));
        layout->addWidget(Indented(chkOnly7bitASCII));
        layout->addStretch();
    }

    // Exclusions and output.
    fraExclusions = NewFrame(this, "fraExclusions");
    chkIgnoreNoVowel =
        NewCheckBox(fraExclusions, "chkIgnoreNoVowel", "Ignore words with no vowel or 'y'");
    chkIgnoreInfrequentWords =
        NewCheckBox(fraExclusions, "chkIgnoreInfrequentWords", "Ignore words with fewer than");
    cboThresholdFrequency = new QComboBox(fraExclusions);
    cboThresholdFrequency->setObjectName(QStringLiteral("cboThresholdFrequency"));
    for (int threshold = 2; threshold <= 9; ++threshold) {
        cboThresholdFrequency->addItem(QString::number(threshold));
    }
    cboThresholdFrequency->setCurrentIndex(0);
    lblOccurrences = NewLabel(fraExclusions, "lblOccurrences", "occurrences");
    chkOutputWithCommas =
        NewCheckBox(fraExclusions, "chkOutputWithCommas", "Include commas in output file");
    chkWarnOnOverwrite =
        NewCheckBox(fraExclusions, "chkWarnOnOverwrite", "Warn before overwriting output file");
    chkSaveStateOnQuit = NewCheckBox(fraExclusions, "chkSaveStateOnQuit", "Save settings on quit");
    {
        auto* layout = new QVBoxLayout(fraExclusions);
        layout->setSpacing(2);
        layout->addWidget(chkIgnoreNoVowel);
        auto* threshold = new QHBoxLayout;
        threshold->addWidget(chkIgnoreInfrequentWords);
        threshold->addWidget(cboThresholdFrequency);
        threshold->addWidget(lblOccurrences);
        threshold->addStretch();
        layout->addLayout(threshold);
        layout->addWidget(chkOutputWithCommas);
        layout->addWidget(chkWarnOnOverwrite);
        layout->addWidget(chkSaveStateOnQuit);
        layout->addStretch();
    }

    // Words to ignore.
    fraIgnoreTheseWords = NewFrame(this, "fraIgnoreTheseWords");
    chkIgnoreCommonWords =
        NewCheckBox(fraIgnoreTheseWords, "chkIgnoreCommonWords", "Ignore common words in file:");
    txbCommonWordsFile = NewTextBox(fraIgnoreTheseWords, QStringLiteral("txbCommonWordsFile"));
    cmdClearCommonWordsFile =
        NewButton(fraIgnoreTheseWords, QStringLiteral("cmdClearCommonWordsFile"), "Clear");
    cmdSelectCommonWordsFile[0] =
        NewButton(fraIgnoreTheseWords, Indexed("cmdSelectCommonWordsFile", 0),
                  "Select some other common words file");
    cmdSelectCommonWordsFile[1] =
        NewButton(fraIgnoreTheseWords, Indexed("cmdSelectCommonWordsFile", 1),
                  "Select common words in some language");
    lblIgnoreTheseWords =
        NewLabel(fraIgnoreTheseWords, "lblIgnoreTheseWords", "Ignore these words:");
    txbWordsToIgnore = NewTextBox(fraIgnoreTheseWords, QStringLiteral("txbWordsToIgnore"));
    cmdClearWordsToIgnore =
        NewButton(fraIgnoreTheseWords, QStringLiteral("cmdClearWordsToIgnore"), "Clear");
    {
        auto* layout = new QGridLayout(fraIgnoreTheseWords);
        layout->addWidget(chkIgnoreCommonWords, 0, 0, 1, 2);
        layout->addWidget(txbCommonWordsFile, 1, 0);
        layout->addWidget(cmdClearCommonWordsFile, 1, 1);
        auto* select = new QHBoxLayout;
        select->addWidget(cmdSelectCommonWordsFile[0]);
        select->addWidget(cmdSelectCommonWordsFile[1]);
        select->addStretch();
        layout->addLayout(select, 2, 0, 1, 2);
        layout->addWidget(lblIgnoreTheseWords, 3, 0, 1, 2);
        layout->addWidget(txbWordsToIgnore, 4, 0);
        layout->addWidget(cmdClearWordsToIgnore, 4, 1);
        layout->setColumnStretch(0, 1);
    }

    // Comment markers.
    fraCommentMarkers = NewFrame(this, "fraCommentMarkers");
    chkAllowCommentMarkers = NewCheckBox(fraCommentMarkers, "chkAllowCommentMarkers",
                                         "Allow start- and end-comment markers");
    lblFirstSet = NewLabel(fraCommentMarkers, "lblFirstSet", "1st pair:");
    lblSecondSet = NewLabel(fraCommentMarkers, "lblSecondSet", "2nd pair:");
    const char* const starts[] = {"/*", "//"};
    const char* const ends[] = {"*/", ""};
    for (int i = 0; i < 2; ++i) {
        txbStartComment[i] = NewTextBox(fraCommentMarkers, Indexed("txbStartComment", i));
        txbEndComment[i] = NewTextBox(fraCommentMarkers, Indexed("txbEndComment", i));
        txbStartComment[i]->setText(QLatin1String(starts[i]));
        txbEndComment[i]->setText(QLatin1String(ends[i]));
        txbStartComment[i]->setFixedWidth(TwipsToPixels(kCommentBoxWidth));
        txbEndComment[i]->setFixedWidth(TwipsToPixels(kCommentBoxWidth));
    }
    {
        auto* layout = new QGridLayout(fraCommentMarkers);
        layout->addWidget(chkAllowCommentMarkers, 0, 0, 1, 4);
        layout->addWidget(lblFirstSet, 1, 0);
        layout->addWidget(txbStartComment[0], 1, 1);
        layout->addWidget(txbEndComment[0], 1, 2);
        layout->addWidget(lblSecondSet, 2, 0);
        layout->addWidget(txbStartComment[1], 2, 1);
        layout->addWidget(txbEndComment[1], 2, 2);
        layout->setColumnStretch(3, 1);
    }

    // Settings files.
    fraSettingsFiles = NewFrame(this, "fraSettingsFiles");
    cmdSaveLoadState[0] =
        NewButton(fraSettingsFiles, Indexed("cmdSaveLoadState", 0), "Save settings to file");
    cmdSaveLoadState[1] =
        NewButton(fraSettingsFiles, Indexed("cmdSaveLoadState", 1), "Load settings from file");
    lblParameters = NewLabel(fraSettingsFiles, "lblParameters", "State loaded from:");
    txbParametersFile = NewTextBox(fraSettingsFiles, QStringLiteral("txbParametersFile"));
    txbParametersFile->setReadOnly(true);
    cmdInitialize = NewButton(fraSettingsFiles, QStringLiteral("cmdInitialize"), "Reinitialize");
    cmdQuit = NewButton(fraSettingsFiles, QStringLiteral("cmdQuit"), "Quit");
    {
        auto* layout = new QVBoxLayout(fraSettingsFiles);
        auto* files = new QHBoxLayout;
        files->addWidget(cmdSaveLoadState[0]);
        files->addWidget(cmdSaveLoadState[1]);
        files->addStretch();
        layout->addLayout(files);
        auto* status = new QHBoxLayout;
        status->addSpacing(TwipsToPixels(kParametersIndent));
        status->addWidget(lblParameters, 1);
        layout->addLayout(status);
        layout->addWidget(txbParametersFile);
        layout->addStretch();
        auto* commands = new QHBoxLayout;
        commands->addWidget(cmdInitialize);
        commands->addStretch();
        commands->addWidget(cmdQuit);
        layout->addLayout(commands);
    }

    cmdSetOrClearCheckboxes[0] =
        NewButton(this, Indexed("cmdSetOrClearCheckboxes", 0), "Clear checkboxes");
    cmdClose = NewButton(this, QStringLiteral("cmdClose"), "Hide settings");

    auto* layout = new QGridLayout(this);
    layout->addWidget(fraWordRules, 0, 0);
    layout->addWidget(fraExclusions, 0, 1);
    layout->addWidget(fraIgnoreTheseWords, 1, 0, 1, 2);
    layout->addWidget(fraCommentMarkers, 2, 0);
    layout->addWidget(fraSettingsFiles, 2, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(cmdSetOrClearCheckboxes[0]);
    bottom->addStretch();
    bottom->addWidget(cmdClose);
    layout->addLayout(bottom, 3, 0, 1, 2);
    layout->setRowStretch(4, 1);
}

QList<QCheckBox*> FrmParams::CheckBoxes() const {
    return {chkAllowWordsWithHyphens,
            chkAllowWordsWithApostrophes,
            chkAllowWordsWithNumerals,
            chkCaseSignificant,
            chkDropFinalS,
            chkOnly7bitASCII,
            chkIgnoreNoVowel,
            chkIgnoreInfrequentWords,
            chkOutputWithCommas,
            chkWarnOnOverwrite,
            chkSaveStateOnQuit,
            chkIgnoreCommonWords,
            chkAllowCommentMarkers};
}

bool FrmParams::IsWordRuleBox(const QCheckBox* box) const {
    return box == chkCaseSignificant || box == chkDropFinalS || IsExtraCharBox(box);
}

bool FrmParams::IsExtraCharBox(const QCheckBox* box) const {
    return box == chkAllowWordsWithHyphens || box == chkAllowWordsWithApostrophes ||
           box == chkAllowWordsWithNumerals;
}

void FrmParams::ConnectHandlers() {
    // The run's settings follow each control as it changes; only the control's own field is
    // written, so that a field the engine has just set is not overwritten by another one.
    const std::pair<QCheckBox*, int Settings::*> boxes[] = {
        {chkAllowWordsWithHyphens, &Settings::chkAllowWordsWithHyphens},
        {chkAllowWordsWithApostrophes, &Settings::chkAllowWordsWithApostrophes},
        {chkAllowWordsWithNumerals, &Settings::chkAllowWordsWithNumerals},
        {chkCaseSignificant, &Settings::chkCaseSignificant},
        {chkDropFinalS, &Settings::chkDropFinalS},
        {chkOnly7bitASCII, &Settings::chkOnly7bitASCII},
        {chkIgnoreNoVowel, &Settings::chkIgnoreNoVowel},
        {chkIgnoreInfrequentWords, &Settings::chkIgnoreInfrequentWords},
        {chkOutputWithCommas, &Settings::chkOutputWithCommas},
        {chkWarnOnOverwrite, &Settings::chkWarnOnOverwrite},
        {chkSaveStateOnQuit, &Settings::chkSaveStateOnQuit},
        {chkIgnoreCommonWords, &Settings::chkIgnoreCommonWords},
        {chkAllowCommentMarkers, &Settings::chkAllowCommentMarkers},
    };
    for (const auto& [box, field] : boxes) {
        connect(box, &QCheckBox::stateChanged, this, [this, box = box, field = field] {
            Run().settings.*field = CheckValue(box);
            if (IsWordRuleBox(box)) {
                WordRule_Click(box);
            } else if (box == chkIgnoreCommonWords) {
                chkIgnoreCommonWords_Click();
            } else if (box == chkIgnoreInfrequentWords) {
                chkIgnoreInfrequentWords_Click();
            } else if (box == chkAllowCommentMarkers) {
                // Comment markers change what a count of plain text finds.
                Run().blnWordsGot = false;
            }
        });
    }
    connect(cboThresholdFrequency, &QComboBox::currentIndexChanged, this, [this](int index) {
        Run().settings.cboThresholdFrequency = index;
        cboThresholdFrequency_Click();
    });
    connect(txbCommonWordsFile, &QLineEdit::textChanged, this,
            [this](const QString& text) { Run().settings.txbCommonWordsFile = text; });
    connect(txbWordsToIgnore, &QLineEdit::textChanged, this,
            [this](const QString& text) { Run().settings.txbWordsToIgnore = text; });
    for (int i = 0; i < 2; ++i) {
        connect(txbStartComment[i], &QLineEdit::textChanged, this,
                [this, i](const QString& text) { Run().settings.txbStartComment[i] = text; });
        connect(txbEndComment[i], &QLineEdit::textChanged, this,
                [this, i](const QString& text) { Run().settings.txbEndComment[i] = text; });
    }
    for (QLineEdit* box : {txbCommonWordsFile, txbWordsToIgnore, txbStartComment[0],
                           txbStartComment[1], txbEndComment[0], txbEndComment[1]}) {
        box->installEventFilter(this);
    }
    connect(cmdClearCommonWordsFile, &QPushButton::clicked, this,
            [this] { cmdClearCommonWordsFile_Click(); });
    for (int index = 0; index < 2; ++index) {
        connect(cmdSelectCommonWordsFile[index], &QPushButton::clicked, this,
                [this, index] { cmdSelectCommonWordsFile_Click(index); });
        connect(cmdSaveLoadState[index], &QPushButton::clicked, this,
                [this, index] { cmdSaveLoadState_Click(index); });
    }
    connect(cmdClearWordsToIgnore, &QPushButton::clicked, this,
            [this] { cmdClearWordsToIgnore_Click(); });
    connect(cmdSetOrClearCheckboxes[0], &QPushButton::clicked, this,
            [this] { cmdSetOrClearCheckboxes_Click(0); });
    connect(cmdInitialize, &QPushButton::clicked, this, [this] { cmdInitialize_Click(); });
    connect(cmdQuit, &QPushButton::clicked, this, [this] { cmdQuit_Click(); });
    connect(cmdClose, &QPushButton::clicked, this, [this] { cmdClose_Click(); });
}

RunState& FrmParams::Run() const {
    return main_.Run();
}

Ui& FrmParams::TheUi() const {
    return main_.Run().ui;
}

void FrmParams::ToSettings(Settings& s) const {
    s.chkAllowWordsWithHyphens = CheckValue(chkAllowWordsWithHyphens);
    s.chkAllowWordsWithApostrophes = CheckValue(chkAllowWordsWithApostrophes);
    s.chkAllowWordsWithNumerals = CheckValue(chkAllowWordsWithNumerals);
    s.chkCaseSignificant = CheckValue(chkCaseSignificant);
    s.chkDropFinalS = CheckValue(chkDropFinalS);
    s.chkOnly7bitASCII = CheckValue(chkOnly7bitASCII);
    s.chkIgnoreNoVowel = CheckValue(chkIgnoreNoVowel);
    s.chkIgnoreInfrequentWords = CheckValue(chkIgnoreInfrequentWords);
    s.cboThresholdFrequency = cboThresholdFrequency->currentIndex();
    s.chkOutputWithCommas = CheckValue(chkOutputWithCommas);
    s.chkWarnOnOverwrite = CheckValue(chkWarnOnOverwrite);
    s.chkSaveStateOnQuit = CheckValue(chkSaveStateOnQuit);
    s.chkIgnoreCommonWords = CheckValue(chkIgnoreCommonWords);
    s.txbCommonWordsFile = txbCommonWordsFile->text();
    s.txbWordsToIgnore = txbWordsToIgnore->text();
    s.chkAllowCommentMarkers = CheckValue(chkAllowCommentMarkers);
    for (int i = 0; i < 2; ++i) {
        s.txbStartComment[i] = txbStartComment[i]->text();
        s.txbEndComment[i] = txbEndComment[i]->text();
    }
}

void FrmParams::SyncToRun() {
    ToSettings(Run().settings);
}

void FrmParams::FromSettings(const Settings& s) {
    const bool wasSettingByProgram = blnSettingByProgram;
    blnSettingByProgram = true;
    // Line 3, then the list is taken over.
    txbWordsToIgnore->setText(s.txbWordsToIgnore);
    txbWordsToIgnore_LostFocus();
    // Lines 4 to 7.
    for (int i = 0; i < 2; ++i) {
        txbStartComment[i]->setText(s.txbStartComment[i]);
        txbEndComment[i]->setText(s.txbEndComment[i]);
    }
    // Lines 10 to 39.
    cboThresholdFrequency->setCurrentIndex(
        s.cboThresholdFrequency < cboThresholdFrequency->count() ? s.cboThresholdFrequency : -1);
    SetCheckValue(chkIgnoreInfrequentWords, s.chkIgnoreInfrequentWords);
    SetCheckValue(chkIgnoreCommonWords, s.chkIgnoreCommonWords);
    SetCheckValue(chkCaseSignificant, s.chkCaseSignificant);
    SetCheckValue(chkDropFinalS, s.chkDropFinalS);
    SetCheckValue(chkAllowWordsWithHyphens, s.chkAllowWordsWithHyphens);
    SetCheckValue(chkAllowWordsWithApostrophes, s.chkAllowWordsWithApostrophes);
    SetCheckValue(chkAllowWordsWithNumerals, s.chkAllowWordsWithNumerals);
    SetCheckValue(chkOutputWithCommas, s.chkOutputWithCommas);
    SetCheckValue(chkAllowCommentMarkers, s.chkAllowCommentMarkers);
    SetCheckValue(chkWarnOnOverwrite, s.chkWarnOnOverwrite);
    SetCheckValue(chkSaveStateOnQuit, s.chkSaveStateOnQuit);
    txbCommonWordsFile->setText(s.txbCommonWordsFile);
    SetCheckValue(chkOnly7bitASCII, s.chkOnly7bitASCII);
    SetCheckValue(chkIgnoreNoVowel, s.chkIgnoreNoVowel);
    blnSettingByProgram = wasSettingByProgram;
}

void FrmParams::SetDefaultValues() {
    Run().blnWordsGot = false;
    chkCaseSignificant->setChecked(false);
    chkIgnoreInfrequentWords->setChecked(false);
    chkAllowWordsWithHyphens->setChecked(true);
    chkAllowWordsWithApostrophes->setChecked(false);
    chkAllowWordsWithNumerals->setChecked(false);
    chkDropFinalS->setChecked(false);
    chkOutputWithCommas->setChecked(false);
    chkAllowCommentMarkers->setChecked(true);
    chkWarnOnOverwrite->setChecked(false);
    chkSaveStateOnQuit->setChecked(false);
    chkOnly7bitASCII->setChecked(false);
    chkIgnoreNoVowel->setChecked(true);
    cboThresholdFrequency->setCurrentIndex(0);
}

void FrmParams::ShowBeside() {
    PlaceBeside();
    show();
    raise();
    activateWindow();
}

void FrmParams::PlaceBeside() {
    const QRect main = main_.frameGeometry();
    int top = main.top();
    if (main_.txbOutput != nullptr) top += main_.txbOutput->mapTo(&main_, QPoint(0, 0)).y();
    int left = main.left() + TwipsToPixels(kBesideSettingsButton);
    if (main_.cmdSetParameters != nullptr) left += main_.cmdSetParameters->width();
    move(left, top);
}

void FrmParams::SetIgnoreCommonWordsByProgram(bool ticked) {
    // The reader has just put the path it loaded into the settings: show it first.
    const QString& path = Run().settings.txbCommonWordsFile;
    if (ticked && txbCommonWordsFile->text() != path) txbCommonWordsFile->setText(path);
    SetBoxByProgram(chkIgnoreCommonWords, ticked);
}

void FrmParams::SetCommonWordsFileText(const QString& path) {
    txbCommonWordsFile->setText(path);
}

void FrmParams::EmptyParametersFile() {
    txbParametersFile->clear();
}

void FrmParams::SetBoxByProgram(QCheckBox* box, bool ticked) {
    const bool wasSettingByProgram = blnSettingByProgram;
    blnSettingByProgram = true;
    box->setChecked(ticked);
    blnSettingByProgram = wasSettingByProgram;
}

FrmLanguageSelection& FrmParams::LanguagePicker() {
    if (picker_ == nullptr) {
        picker_ = new FrmLanguageSelection(this, cmdSelectCommonWordsFile[1]->text(),
                                           cmdSelectCommonWordsFile[1]);
    }
    return *picker_;
}

bool FrmParams::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate) {
        // Form_Activate.
        PlaceBeside();
        SetFocusIfPossible(cmdClose);
    }
    return QWidget::event(event);
}

bool FrmParams::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && watched == txbCommonWordsFile) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            // Enter is swallowed and acts as leaving the box.
            if (!inLostFocus_) {
                inLostFocus_ = true;
                txbCommonWordsFile_LostFocus();
                inLostFocus_ = false;
            }
            return true;
        }
    }
    if (event->type() == QEvent::FocusOut) {
        // Only focus moving inside the program counts as leaving a box: to another control,
        // or to another of the program's windows (the main window's "Count words" then finds
        // what was typed here taken over). A switch to another program does not count, nor
        // does a message box shown by the box's own handler.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        const QWidget* active = QApplication::activeWindow();
        const bool otherWindowOfProgram =
            reason == Qt::ActiveWindowFocusReason && active != nullptr && active != window();
        if ((otherWindowOfProgram ||
             (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)) &&
            !inLostFocus_) {
            inLostFocus_ = true;
            if (watched == txbCommonWordsFile) {
                txbCommonWordsFile_LostFocus();
            } else if (watched == txbWordsToIgnore) {
                txbWordsToIgnore_LostFocus();
            } else {
                for (int i = 0; i < 2; ++i) {
                    if (watched == txbStartComment[i]) CommentMarker_LostFocus(txbStartComment[i]);
                    if (watched == txbEndComment[i]) CommentMarker_LostFocus(txbEndComment[i]);
                }
            }
            inLostFocus_ = false;
        }
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace lxt

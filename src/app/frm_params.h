// The Settings window: every user setting that is not on the main window, as controls
// named after the settings they hold. It is created once by the main window, then only
// shown and hidden. Its handlers ask and tell through the run's Ui, and its check boxes
// stay quiet while the program itself sets them (blnSettingByProgram).
#pragma once

#include <QList>
#include <QString>
#include <QWidget>
#include <array>

#include "settings/settings.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace lxt {

class FrmMain;
class FrmLanguageSelection;
class Ui;
struct RunState;

// Texts shown by the window's handlers.
inline constexpr char kConfirmRereadingText[] =
    "Changing this entails reading the file anew.  Is this OK?";
inline constexpr char kAlreadyLoadedText[] =
    "This file has already been loaded.  Click on 'Clear' "
    "and re-select the file if it has been changed on disk.";
inline constexpr char kCommonWordsLoadedTitle[] = "Common words loaded";
inline constexpr char kSpecifyCommonWordsFileText[] =
    "Please specify the file containing common words.";
inline constexpr char kReallyQuitText[] = "Really quit?";
inline constexpr char kQuitTitle[] = "Quit";
inline constexpr char kProgramReinitialized[] = "Program reinitialized.";

// The settings-file buttons.
inline constexpr char kSettingsFileFilter[] = "Settings files (*.lxt) | *.lxt";
inline constexpr char kSaveSettingsDialogTitle[] = "Specify file to save settings to";
inline constexpr char kLoadSettingsDialogTitle[] = "Specify file to load settings from.";
inline constexpr char kSettingsSavedTo[] = "Settings saved to";
inline constexpr char kErrorSavingTo[] = "Error saving to";
inline constexpr char kSettingsLoadedFrom[] = "Settings loaded from";
inline constexpr char kErrorLoadingFrom[] = "Error loading from";
inline constexpr char kSaveSettingsTitle[] = "Save settings";
inline constexpr char kLoadSettingsTitle[] = "Load settings";

// The common-words file dialog.
inline constexpr char kCommonWordsDialogTitle[] = "Specify file of common words to ignore";
inline constexpr char kCommonWordsFilter[] = "Any file containing only text (*.*) | *.*";

class FrmParams : public QWidget {
    Q_OBJECT

  public:
    explicit FrmParams(FrmMain& main);
    ~FrmParams() override;

    // Copies the window's own controls into `settings` (the other fields are left alone).
    void ToSettings(Settings& settings) const;
    // Sets the window's controls from `settings` in the line order of the settings file,
    // with the check-box handlers quiet; the words to ignore are then taken over into the
    // run's list (txbWordsToIgnore_LostFocus).
    void FromSettings(const Settings& settings);
    // The defaults of the word rules, exclusions and output boxes; the main window's
    // blnWordsGot is cleared and the comment markers are reset to mode "C".
    void SetDefaultValues();
    // Shows the window (not modal) over the main window's output box, right of its Settings
    // button; it goes back there each time it becomes active.
    void ShowBeside();

    // Normalises the words to ignore, shows the result in txbWordsToIgnore and sets the
    // run's strWordsToIgnore; then checks the characters (CheckAllowedExtraChars).
    void txbWordsToIgnore_LostFocus();
    // Warns about the first character of the words to ignore that cannot occur in a word;
    // false when it warned. Quiet before start-up has completed and while the window sets
    // its own boxes.
    bool CheckAllowedExtraChars();

    // The program ticks or clears "Ignore common words in file:" without running its
    // handler (after a load, after a refused file).
    void SetIgnoreCommonWordsByProgram(bool ticked);
    // Shows `path` in txbCommonWordsFile (the common-words reader does after a load).
    void SetCommonWordsFileText(const QString& path);
    // Empties the path box of the settings-file status pair (Initialize does).
    void EmptyParametersFile();
    // Copies the window's own controls into the run's settings, which follow the controls.
    void SyncToRun();

    // Handlers, by the controls they belong to.
    void WordRule_Click(QCheckBox* box);
    void chkIgnoreCommonWords_Click();
    void txbCommonWordsFile_LostFocus();
    void cmdClearCommonWordsFile_Click();
    void cmdSelectCommonWordsFile_Click(int index);
    void cmdClearWordsToIgnore_Click();
    void CommentMarker_LostFocus(QLineEdit* box);
    void chkIgnoreInfrequentWords_Click();
    void cboThresholdFrequency_Click();
    void cmdSetOrClearCheckboxes_Click(int index);
    void cmdInitialize_Click();
    void cmdQuit_Click();
    void cmdClose_Click();
    void cmdSaveLoadState_Click(int index);

    bool SettingByProgram() const { return blnSettingByProgram; }
    bool SettingAllBoxes() const { return blnSettingAllBoxes; }

    // The controls.
    QGroupBox* fraWordRules = nullptr;
    QLabel* lblAllowWordsWith = nullptr;
    QCheckBox* chkAllowWordsWithHyphens = nullptr;
    QCheckBox* chkAllowWordsWithApostrophes = nullptr;
    QCheckBox* chkAllowWordsWithNumerals = nullptr;
    QLabel* lblFurthermore = nullptr;
    QCheckBox* chkCaseSignificant = nullptr;
    QCheckBox* chkDropFinalS = nullptr;
    QCheckBox* chkOnly7bitASCII = nullptr;

    QGroupBox* fraExclusions = nullptr;
    QCheckBox* chkIgnoreNoVowel = nullptr;
    QCheckBox* chkIgnoreInfrequentWords = nullptr;
    QComboBox* cboThresholdFrequency = nullptr;
    QLabel* lblOccurrences = nullptr;
    QCheckBox* chkOutputWithCommas = nullptr;
    QCheckBox* chkWarnOnOverwrite = nullptr;
    QCheckBox* chkSaveStateOnQuit = nullptr;

    QGroupBox* fraIgnoreTheseWords = nullptr;
    QCheckBox* chkIgnoreCommonWords = nullptr;
    QLineEdit* txbCommonWordsFile = nullptr;
    QPushButton* cmdClearCommonWordsFile = nullptr;
    std::array<QPushButton*, 2> cmdSelectCommonWordsFile{};
    QLabel* lblIgnoreTheseWords = nullptr;
    QLineEdit* txbWordsToIgnore = nullptr;
    QPushButton* cmdClearWordsToIgnore = nullptr;

    QGroupBox* fraCommentMarkers = nullptr;
    QCheckBox* chkAllowCommentMarkers = nullptr;
    QLabel* lblFirstSet = nullptr;
    QLabel* lblSecondSet = nullptr;
    std::array<QLineEdit*, 2> txbStartComment{};
    std::array<QLineEdit*, 2> txbEndComment{};

    QGroupBox* fraSettingsFiles = nullptr;
    std::array<QPushButton*, 2> cmdSaveLoadState{};
    QLabel* lblParameters = nullptr;
    QLineEdit* txbParametersFile = nullptr;
    QPushButton* cmdInitialize = nullptr;
    QPushButton* cmdQuit = nullptr;

    std::array<QPushButton*, 1> cmdSetOrClearCheckboxes{};
    QPushButton* cmdClose = nullptr;

    // The language picker opened by cmdSelectCommonWordsFile(1).
    FrmLanguageSelection& LanguagePicker();

  protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void BuildControls();
    void PlaceBeside();
    void ConnectHandlers();
    bool ConfirmRereading();
    void SetBoxByProgram(QCheckBox* box, bool ticked);
    // Reads the common-words file named by strCommonWordsFile and hides the run figures.
    void ReadCommonWords();
    void TakeOverCommonWordsFile(const QString& previousFile);
    // The common-words file chosen with a select button: shown, read, and the box ticked
    // when it loaded.
    void LoadChosenCommonWords(const QString& path);
    QString ChooseFile(const QString& title, const QString& filter, bool save);
    bool IsWordRuleBox(const QCheckBox* box) const;
    bool IsExtraCharBox(const QCheckBox* box) const;
    QList<QCheckBox*> CheckBoxes() const;
    RunState& Run() const;
    Ui& TheUi() const;

    FrmMain& main_;
    FrmLanguageSelection* picker_ = nullptr;
    bool blnSettingByProgram = false;
    bool blnSettingAllBoxes = false;
    bool inLostFocus_ = false;
};

}  // namespace lxt

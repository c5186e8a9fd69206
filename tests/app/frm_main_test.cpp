// The main window's start-up, its controls and handlers, the file checks and shut-down.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QKeyEvent>
#include <QMimeData>
#include <QShortcut>
#include <QTextEdit>
#include <QUrl>
#include <cstdio>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

#include "frm_main_test_fixture.h"
#include "support/message_numbers.h"
#include "support/native_file_name.h"
#include "support/str_proc.h"

namespace lxt::test {
namespace {

TEST_F(FrmMainTest, FirstStartWithNoStateFileUsesTheDefaultsSilently) {
    Start();
    EXPECT_TRUE(ui.shown.empty());
    EXPECT_TRUE(frm->isVisible());
    EXPECT_TRUE(frm->Run().blnStartUpCompleted);
    EXPECT_TRUE(frm->optInFile->isChecked());
    EXPECT_TRUE(frm->txbFile[0]->text().isEmpty());
    EXPECT_TRUE(frm->txbFile[1]->text().isEmpty());
    EXPECT_FALSE(frm->chkUTF8->isChecked());
    EXPECT_FALSE(frm->chkSuppressWords->isChecked());
    EXPECT_FALSE(frm->chkDisableOutputToFile->isChecked());
    EXPECT_FALSE(frm->chkDisableOutputToFile->isEnabled());
    EXPECT_EQ(frm->cboWordOrder->currentText(), QStringLiteral("by frequency"));
    EXPECT_EQ(frm->cboDisplayFormat->currentText(), QStringLiteral("rank frequency word"));
    EXPECT_EQ(frm->cboDisplayFormat->count(), 10);
    EXPECT_EQ(frm->cmdListWords->text(), QStringLiteral("Count words"));
    EXPECT_TRUE(frm->Timer1->isActive());
    EXPECT_FALSE(frm->Timer2->isActive());
    EXPECT_TRUE(frm->lblFilesize->text().isEmpty());
    EXPECT_TRUE(frm->lblTimeElapsed->text().isEmpty());
    EXPECT_FALSE(frm->lblNumberOfWords->isVisible());
    // The introduction: six catalogue paragraphs separated by empty lines.
    EXPECT_TRUE(frm->txbIntro->toPlainText().startsWith(Message(19) + "\n\n" + Message(20)));
    EXPECT_TRUE(frm->txbIntro->toPlainText().endsWith(Message(23)));
    // No state file yet, but its folder exists.
    EXPECT_FALSE(QFile::exists(StateFilePath()));
    EXPECT_TRUE(QDir(QFileInfo(StateFilePath()).absolutePath()).exists());
}

TEST_F(FrmMainTest, ControlsCarryTheirNamesCaptionsAndFonts) {
    Start();
    for (const char* name : {"optInFile",
                             "optOnClipboard",
                             "chkSuppressWords",
                             "cmdListWords",
                             "cmdFile(0)",
                             "txbFile(0)",
                             "cmdClearFile(0)",
                             "cmdFile(1)",
                             "txbFile(1)",
                             "cmdClearFile(1)",
                             "chkUTF8",
                             "lblFilesize",
                             "lblXMLsize",
                             "chkDisableOutputToFile",
                             "cboWordOrder",
                             "cboDisplayFormat",
                             "cmdSetParameters",
                             "cmdSaveState",
                             "cmdClearOutput",
                             "cmdHelp",
                             "cmdQuit",
                             "txbIntro",
                             "txbOutput",
                             "lblTimeElapsed",
                             "lblNumWordsExcluded",
                             "lblTotalNumOccurrences",
                             "lblNumberOfWords",
                             "lblNumOccurrences",
                             "lblTwirler",
                             "lblSizeOfClipboardContents",
                             "lblCorvaneSystems",
                             "lblOnlineDocumentation",
                             "Label5",
                             "lblWordOrder",
                             "lblDisplayFormat"}) {
        EXPECT_NE(frm->findChild<QWidget*>(QString::fromLatin1(name)), nullptr) << name;
    }
    EXPECT_EQ(frm->centralWidget()->findChildren<QGroupBox*>().size(), 3);
    EXPECT_EQ(frm->cmdFile[1]->text(), QStringLiteral("Output file"));
    EXPECT_EQ(frm->cmdClearOutput->text(), QStringLiteral("Clear textbox"));
    EXPECT_EQ(frm->lblCorvaneSystems->text(), QStringLiteral("Corvane Systems"));
    EXPECT_EQ(frm->txbOutput->font().family(), QStringLiteral("Courier New"));
    EXPECT_DOUBLE_EQ(frm->txbOutput->font().pointSizeF(), 8.25);
    EXPECT_EQ(frm->cmdQuit->font().family(), QStringLiteral("Arial"));
    EXPECT_EQ(frm->centralWidget()->palette().color(QPalette::Window), QColor(224, 224, 224));
}

TEST_F(FrmMainTest, AFileNamedOnTheCommandLineOrDroppedIsCheckedAsAChosenOne) {
    EXPECT_EQ(InputFileArgument({"lxt", "book.txt"}), QStringLiteral("book.txt"));
    EXPECT_EQ(InputFileArgument({"lxt", "-reverse", "--", "-odd.txt"}), QStringLiteral("-odd.txt"));
    EXPECT_EQ(InputFileArgument({"lxt"}), QString());
    Start();
    ui.Expect(QStringLiteral("Input file does not exist."));
    frm->OpenInputFile(files.File(QStringLiteral("gone.txt")));
    EXPECT_EQ(ui.shown.back().title, QStringLiteral("File not found"));

    // A file dropped onto the output box reaches the window and is taken as the input file.
    const QString good = files.Write(QStringLiteral("dropped.txt"), "Dropped words here.\r\n");
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(good)});
    EXPECT_FALSE(frm->txbOutput->acceptDrops());
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(frm.get(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    RefuseCommonWords();
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(frm.get(), &drop);
    EXPECT_EQ(frm->txbFile[0]->text(), good);
    EXPECT_EQ(frm->lblFilesize->text(), QStringLiteral("Filesize: 21 bytes"));

    // Nothing is taken while a count runs, nor a drop that carries no file.
    QMimeData text;
    text.setText(QStringLiteral("just text"));
    QDragEnterEvent textEnter(QPoint(5, 5), Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(frm.get(), &textEnter);
    EXPECT_FALSE(textEnter.isAccepted());
    EnterRunPhase(frm->Run(), RunPhase::Counting);
    frm->OpenInputFile(files.File(QStringLiteral("other.txt")));
    EXPECT_EQ(frm->txbFile[0]->text(), good);
    EnterRunPhase(frm->Run(), RunPhase::Idle);
#ifdef Q_OS_UNIX
    // A name that is not UTF-8, on the command line or dropped, names its own file.
    const QByteArray native = QFile::encodeName(files.Path()) + "/bad\xff\xfe.txt";
    QFile bad;
    ASSERT_TRUE(bad.open(::fopen(native.constData(), "w"), QIODevice::WriteOnly,
                         QFileDevice::AutoCloseHandle));
    bad.write("Odd name.\r\n");
    bad.close();
    const char* argv[] = {"lxt", native.constData()};
    RefuseCommonWords();
    frm->OpenInputFile(InputFileArgument(DecodeArguments(2, argv)));
    EXPECT_EQ(EncodeFileName(frm->txbFile[0]->text()), native);
    EXPECT_EQ(frm->lblFilesize->text(), QStringLiteral("Filesize: 11 bytes"));
    frm->txbFile[0]->setText(good);
    QMimeData odd;
    odd.setUrls(
        {QUrl(QStringLiteral("file://") + QString::fromLatin1(native.toPercentEncoding("/")))});
    QDragEnterEvent oddEnter(QPoint(5, 5), Qt::CopyAction, &odd, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(frm.get(), &oddEnter);
    RefuseCommonWords();
    QDropEvent oddDrop(QPointF(5, 5), Qt::CopyAction, &odd, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(frm.get(), &oddDrop);
    EXPECT_EQ(EncodeFileName(frm->txbFile[0]->text()), native);
    ::unlink(native.constData());
#endif
}

// The shortcut with `keys`, or null.
QShortcut* ShortcutFor(QWidget* window, QKeyCombination keys) {
    for (QShortcut* shortcut : window->findChildren<QShortcut*>()) {
        if (shortcut->key() == QKeySequence(keys)) return shortcut;
    }
    return nullptr;
}

TEST_F(FrmMainTest, ShortcutsOpenQuitAndHelpAnywhereInTheWindow) {
    Start();
    QShortcut* open = ShortcutFor(frm.get(), Qt::CTRL | Qt::Key_O);
    ASSERT_NE(open, nullptr);
    AnswerFileDialogs({QString()});
    emit open->activated();
    ASSERT_EQ(fileRequests.size(), 1u);
    EXPECT_EQ(fileRequests[0].title, QStringLiteral("Specify input file"));

    QShortcut* help = ShortcutFor(frm.get(), QKeyCombination(Qt::Key_F1));
    ASSERT_NE(help, nullptr);
    emit help->activated();
    bool helpShown = false;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->windowTitle() == QStringLiteral("LXT Help") && w->isVisible()) {
            helpShown = true;
            w->hide();
        }
    }
    EXPECT_TRUE(helpShown);

    // Ctrl+Q quits the way closing the window does: the settings are saved when so chosen.
    frm->Params().chkSaveStateOnQuit->setChecked(true);
    QShortcut* quit = ShortcutFor(frm.get(), Qt::CTRL | Qt::Key_Q);
    ASSERT_NE(quit, nullptr);
    emit quit->activated();
    EXPECT_TRUE(ended);
    EXPECT_TRUE(QFileInfo::exists(config.File(QStringLiteral("LXT/lxt.usr"))));
}

TEST_F(FrmMainTest, ColoursFollowADarkDesktopAndKeepTheGreyOnALightOne) {
    const QPalette saved = QApplication::palette();
    Start();
    EXPECT_EQ(frm->txbOutput->palette().color(QPalette::Base), QColor(Qt::white));
    EXPECT_EQ(frm->lblCorvaneSystems->palette().color(QPalette::WindowText), QColor(Qt::blue));

    QPalette dark = saved;
    dark.setColor(QPalette::Window, QColor(40, 40, 40));
    dark.setColor(QPalette::WindowText, QColor(230, 230, 230));
    dark.setColor(QPalette::Base, QColor(25, 25, 25));
    dark.setColor(QPalette::Text, QColor(235, 235, 235));
    dark.setColor(QPalette::Link, QColor(120, 170, 255));
    QApplication::setPalette(dark);
    QCoreApplication::processEvents();
    const QPalette window = frm->centralWidget()->palette();
    EXPECT_EQ(window.color(QPalette::Window), QColor(40, 40, 40));
    EXPECT_EQ(frm->txbOutput->palette().color(QPalette::Base), QColor(25, 25, 25));
    EXPECT_EQ(frm->txbOutput->palette().color(QPalette::Text), QColor(235, 235, 235));
    EXPECT_EQ(frm->lblCorvaneSystems->palette().color(QPalette::WindowText), QColor(120, 170, 255));
    EXPECT_EQ(frm->fraFrames[0]->palette().color(QPalette::WindowText), QColor(230, 230, 230));

    QApplication::setPalette(saved);
    QCoreApplication::processEvents();
    EXPECT_EQ(frm->centralWidget()->palette().color(QPalette::Window), QColor(224, 224, 224));
}

TEST_F(FrmMainTest, ARestoredInputFileThatIsGoneIsEmptiedSilently) {
    Settings stored;
    stored.txbFile[0] = files.File(QStringLiteral("deleted.txt"));
    stored.txbFile[1] = files.File(QStringLiteral("list.csv"));
    stored.cboWordOrder = 1;
    stored.cboDisplayFormat = 5;
    ASSERT_TRUE(SaveState(stored, QString()).isEmpty());
    Start();
    EXPECT_TRUE(ui.shown.empty());
    EXPECT_TRUE(frm->txbFile[0]->text().isEmpty());
    EXPECT_EQ(frm->txbFile[1]->text(), stored.txbFile[1]);
    EXPECT_TRUE(frm->chkDisableOutputToFile->isEnabled());
    EXPECT_EQ(frm->cboWordOrder->currentIndex(), 1);
    EXPECT_EQ(frm->cboDisplayFormat->currentIndex(), 5);
    // The next file dialog opens in the folder of the restored path.
    EXPECT_EQ(QDir::current().absolutePath(), QDir(files.Path()).absolutePath());
}

TEST_F(FrmMainTest, ARestoredInputFileIsCheckedAndItsSizeShown) {
    Settings stored;
    stored.txbFile[0] = files.Write(QStringLiteral("kept.txt"), "Some words to count here.\r\n");
    ASSERT_TRUE(SaveState(stored, QString()).isEmpty());
    // The restored file's language is English: its common words are offered.
    RefuseCommonWords();
    Start();
    EXPECT_EQ(frm->txbFile[0]->text(), stored.txbFile[0]);
    EXPECT_EQ(frm->lblFilesize->text(), QStringLiteral("Filesize: 27 bytes"));
}

TEST_F(FrmMainTest, QuittingWithSaveOnQuitWritesTheStateFile) {
    Start();
    const QString input = files.Write(QStringLiteral("in.txt"), "Words and more words.\r\n");
    frm->SetInputFilePath(input);
    frm->cboDisplayFormat->setCurrentIndex(7);
    frm->Params().chkSaveStateOnQuit->setChecked(true);
    frm->close();
    EXPECT_TRUE(ended);
    const QByteArray state = TempDir::Read(StateFilePath());
    const QList<QByteArray> lines = state.split('\n');
    ASSERT_GE(lines.size(), 39);
    EXPECT_EQ(lines[0], "\"" + QFile::encodeName(input) + "\"\r");
    EXPECT_EQ(lines[31], "1\r");  // save settings on quit
    EXPECT_EQ(lines[35], "7\r");  // display format
}

TEST_F(FrmMainTest, QuittingWithoutSaveOnQuitWritesNothing) {
    Start();
    frm->cmdQuit_Click();
    EXPECT_TRUE(ended);
    EXPECT_FALSE(QFile::exists(StateFilePath()));
}

TEST_F(FrmMainTest, EnableControlsLeavesCountAndQuitAlone) {
    Start();
    frm->EnableControls(false);
    EXPECT_TRUE(frm->cmdListWords->isEnabled());
    EXPECT_TRUE(frm->cmdQuit->isEnabled());
    EXPECT_FALSE(frm->cmdFile[0]->isEnabled());
    EXPECT_FALSE(frm->cboDisplayFormat->isEnabled());
    EXPECT_FALSE(frm->optOnClipboard->isEnabled());
    EXPECT_FALSE(frm->cmdSetParameters->isEnabled());
    frm->EnableControls(true);
    EXPECT_TRUE(frm->cmdClearFile[0]->isEnabled());
    EXPECT_TRUE(frm->cmdClearFile[1]->isEnabled());
    frm->SetOutputFilePath(QStringLiteral("/tmp/some.csv"));
    frm->SetTheFocus();
    EXPECT_FALSE(frm->cmdClearFile[0]->isEnabled());
    EXPECT_TRUE(frm->cmdClearFile[1]->isEnabled());
}

TEST_F(FrmMainTest, SetTheFocusWhileHiddenDoesNothing) {
    Start();
    frm->hide();
    frm->EnableControls(true);
    frm->SetTheFocus();
    EXPECT_TRUE(frm->cmdClearFile[0]->isEnabled());
}

TEST_F(FrmMainTest, ClearingTheOutputWhileCountingKeepsTheWords) {
    Start();
    frm->TheUi().OutputReplace(QStringLiteral("words"));
    frm->Run().blnWordsGot = true;
    frm->Run().phase = RunPhase::Counting;
    frm->cmdClearOutput_Click();
    EXPECT_TRUE(Output().isEmpty());
    EXPECT_TRUE(frm->Run().blnWordsGot);
    // The next tick disables the button while the count runs, even with text in the box.
    frm->TheUi().OutputAppend(QStringLiteral("more"));
    frm->Timer1_Timer();
    EXPECT_FALSE(frm->cmdClearOutput->isEnabled());
    EXPECT_TRUE(frm->txbOutput->toolTip().isEmpty());
    frm->Run().phase = RunPhase::Idle;
    frm->cmdClearOutput_Click();
    EXPECT_FALSE(frm->Run().blnWordsGot);
}

TEST_F(FrmMainTest, ClearButtonsEmptyTheirPath) {
    Start();
    frm->SetInputFilePath(files.Write(QStringLiteral("a.txt"), "text here\r\n"));
    frm->lblFilesize->setText(QStringLiteral("Filesize: 11 bytes"));
    frm->chkUTF8->setChecked(true);
    frm->SetOutputFilePath(files.File(QStringLiteral("out.txt")));
    frm->chkDisableOutputToFile->setChecked(true);
    frm->cmdClearFile_Click(0);
    EXPECT_TRUE(frm->txbFile[0]->text().isEmpty());
    EXPECT_TRUE(frm->lblFilesize->text().isEmpty());
    EXPECT_FALSE(frm->chkUTF8->isChecked());
    EXPECT_FALSE(frm->cmdClearFile[0]->isEnabled());
    frm->cmdClearFile_Click(1);
    EXPECT_FALSE(frm->chkDisableOutputToFile->isChecked());
    EXPECT_FALSE(frm->chkDisableOutputToFile->isEnabled());
}

TEST_F(FrmMainTest, ChoosingFilesChecksThem) {
    Start();
    // A missing file after start-up: the message, the path kept.
    ui.Expect(QStringLiteral("Input file does not exist."));
    frm->ChooseFile(0, files.File(QStringLiteral("nothing.txt")));
    EXPECT_EQ(ui.shown.back().title, QStringLiteral("File not found"));
    EXPECT_EQ(frm->txbFile[0]->text(), files.File(QStringLiteral("nothing.txt")));
    // An empty file.
    ui.Expect(QStringLiteral("Input file is zero-length."));
    frm->ChooseFile(0, files.Write(QStringLiteral("empty.txt"), QByteArray()));
    EXPECT_EQ(frm->lblFilesize->text(), QStringLiteral("Filesize: 0 bytes"));
    // A "docx" that is no ZIP archive is refused and the path emptied.
    const QString fake = files.Write(QStringLiteral("fake.docx"), "just some plain text here");
    ui.Expect(QStringLiteral("has a 'docx' extension but does not appear to be an MS Word"));
    frm->ChooseFile(0, fake);
    EXPECT_EQ(ui.shown.back().text,
              QStringLiteral("The file ") + fake +
                  QStringLiteral("\r\nhas a 'docx' extension but does not appear to be an MS "
                                 "Word 'docx' file."));
    EXPECT_TRUE(frm->txbFile[0]->text().isEmpty());
    // A good text file: size shown, the output box cleared.
    const QString good = files.Write(QStringLiteral("good.txt"), "The words of a good file.\r\n");
    RefuseCommonWords();
    frm->ChooseFile(0, good);
    EXPECT_EQ(frm->lblFilesize->text(), QStringLiteral("Filesize: 27 bytes"));
    EXPECT_TRUE(frm->optInFile->isChecked());
    // A docx file whose extension is in capitals is taken as a docx file: no inspection.
    QByteArray zip("PK\x03\x04", 4);
    zip += QByteArray(40, '\0');
    const QString docx = files.Write(QStringLiteral("Letter.DOCX"), zip);
    frm->ChooseFile(0, docx);
    EXPECT_EQ(frm->txbFile[0]->text(), docx);
    EXPECT_FALSE(Output().startsWith(QStringLiteral("Now checking file")));
    RefuseCommonWords();
    frm->ChooseFile(0, good);
    // Cancelling the dialog keeps the path but empties the docx text size.
    frm->lblXMLsize->setText(QStringLiteral("Text: 5 bytes"));
    frm->ChooseFile(0, QString());
    EXPECT_EQ(frm->txbFile[0]->text(), good);
    EXPECT_TRUE(frm->lblXMLsize->text().isEmpty());
    // The output file enables its Disable box.
    frm->ChooseFile(1, files.File(QStringLiteral("out.csv")));
    EXPECT_TRUE(frm->chkDisableOutputToFile->isEnabled());
}

TEST_F(FrmMainTest, TheFileButtonsAskWithTheirOwnDialog) {
    Start();
    const QString good = files.Write(QStringLiteral("chosen.txt"), "The words of a good file.\r\n");
    const QString out = files.File(QStringLiteral("counts.csv"));
    AnswerFileDialogs({good, out, QString()});
    frm->Run().blnWordsGot = true;
    RefuseCommonWords();
    const QString startFolder = QDir::currentPath();
    frm->cmdFile[0]->click();
    ASSERT_EQ(fileRequests.size(), 1u);
    EXPECT_EQ(fileRequests[0].title, QStringLiteral("Specify input file"));
    EXPECT_EQ(fileRequests[0].filter, QStringLiteral("A text file or a docx file (*)"));
    EXPECT_EQ(fileRequests[0].mode, FileDialogMode::Open);
    EXPECT_TRUE(fileRequests[0].mustExist);
    EXPECT_EQ(fileRequests[0].directory, startFolder);
    EXPECT_EQ(frm->txbFile[0]->text(), good);
    EXPECT_EQ(frm->lblFilesize->text(), QStringLiteral("Filesize: 27 bytes"));
    EXPECT_FALSE(frm->Run().blnWordsGot);

    // The output file may be new: an Open dialog with no filter that accepts any name.
    EXPECT_EQ(frm->cmdFile_Click(1), out);
    ASSERT_EQ(fileRequests.size(), 2u);
    EXPECT_EQ(fileRequests[1].title, QStringLiteral("Specify output file"));
    EXPECT_TRUE(fileRequests[1].filter.isEmpty());
    EXPECT_EQ(fileRequests[1].mode, FileDialogMode::Open);
    EXPECT_FALSE(fileRequests[1].mustExist);
    // The input file's folder became the current one: the next dialog starts there.
    EXPECT_EQ(QDir(fileRequests[1].directory).canonicalPath(),
              QFileInfo(good).dir().canonicalPath());
    EXPECT_EQ(frm->txbFile[1]->text(), out);
    EXPECT_TRUE(frm->chkDisableOutputToFile->isEnabled());

    // Cancelled: the path stays, the docx text size goes.
    frm->lblXMLsize->setText(QStringLiteral("Text: 5 bytes"));
    EXPECT_TRUE(frm->cmdFile_Click(1).isEmpty());
    EXPECT_EQ(frm->txbFile[1]->text(), out);
    EXPECT_TRUE(frm->lblXMLsize->text().isEmpty());
}

TEST_F(FrmMainTest, ATypedPathIsTrimmedAndChecked) {
    Start();
    const QString good = files.Write(QStringLiteral("typed.txt"), "Typed words in a file.\r\n");
    frm->txbFile[0]->setText(QStringLiteral("  ") + good + QStringLiteral("  "));
    frm->Run().blnWordsGot = true;
    RefuseCommonWords();
    frm->txbFile_LostFocus(0);
    EXPECT_EQ(frm->txbFile[0]->text(), good);
    EXPECT_FALSE(frm->Run().blnWordsGot);
    EXPECT_EQ(frm->lblFilesize->text(), QStringLiteral("Filesize: 24 bytes"));
}

TEST_F(FrmMainTest, AFrenchPageOffersTheFrenchCommonWords) {
    Start();
    const QString page =
        files.Write(QStringLiteral("page.html"),
                    "<html lang=\"fr\"><body>Le chat et le chien.</body></html>\r\n");
    ui.Expect(Message(kMsgQuestionCommonWords), MsgResult::No);
    frm->ChooseFile(0, page);
    EXPECT_EQ(frm->StrInputLanguage(), QStringLiteral("fr"));
    EXPECT_TRUE(ui.shown.back().text.endsWith(QStringLiteral("cwds_fr.txt")));
    EXPECT_EQ(ui.shown.back().title, Message(kMsgTitleCommonWords));
    EXPECT_FALSE(frm->Run().blnCommonWordsLoaded);
}

TEST_F(FrmMainTest, PathToolTipsFollowTheirLength) {
    Start();
    const QString path75 = QStringLiteral("/") + QString(74, QLatin1Char('p'));
    frm->txbFile[1]->setText(path75);
    frm->SetPathToolTip(1);
    EXPECT_TRUE(frm->txbFile[1]->toolTip().isEmpty());
    EXPECT_TRUE(frm->cmdFile[1]->toolTip().isEmpty() || frm->cmdFile[1]->toolTip() != path75);
    frm->Timer1_Timer();
    EXPECT_EQ(frm->txbFile[1]->toolTip(), path75);
    const QString path76 = path75 + QStringLiteral("q");
    frm->txbFile[1]->setText(path76);
    frm->SetPathToolTip(1);
    EXPECT_EQ(frm->cmdFile[1]->toolTip(), path76);
    // The once-a-second refresh: nothing to count, so the input button explains itself.
    frm->Timer1_Timer();
    EXPECT_EQ(frm->cmdFile[0]->toolTip(),
              QStringLiteral("Select an ANSI text file or a Word docx file"));
    EXPECT_EQ(frm->txbOutput->toolTip(), Message(kMsgEmptyOutputTip));
    EXPECT_FALSE(frm->cmdClearOutput->isEnabled());
}

TEST_F(FrmMainTest, SuppressWordsTooltipFollowsTheBox) {
    Start();
    // Unticked from the start, so the hint is there before the box is ever touched.
    EXPECT_EQ(frm->chkSuppressWords->toolTip(),
              QStringLiteral("The program will run faster if this checkbox is checked."));
    frm->chkSuppressWords->setChecked(true);
    EXPECT_TRUE(frm->chkSuppressWords->toolTip().isEmpty());
    frm->chkSuppressWords->setChecked(false);
    EXPECT_EQ(frm->chkSuppressWords->toolTip(),
              QStringLiteral("The program will run faster if this checkbox is checked."));
}

TEST(QtUiTest, DisplayTextAndTwirler) {
    EXPECT_EQ(DisplayText(QStringLiteral("a\r\nb\rc\nd")), QStringLiteral("a\nb\nc\nd"));
    EXPECT_EQ(TwirlerGlyph(QString(QChar(172))), QString(QChar(0x2190)));
    EXPECT_EQ(TwirlerGlyph(QString(QChar(175))), QString(QChar(0x2193)));
    EXPECT_EQ(TwirlerGlyph(QStringLiteral(" ")), QStringLiteral(" "));
}

}  // namespace
}  // namespace lxt::test

namespace lxt::test {
namespace {

TEST_F(FrmMainTest, AMissingCatalogueEndsTheStartWithACriticalBox) {
    TempDir empty;
    frm = std::make_unique<FrmMain>(&ui);
    ui.Expect(QStringLiteral("Cannot open file containing program text.\r\n"));
    EXPECT_FALSE(frm->Form_Load(empty.Path()));
    ASSERT_FALSE(ui.shown.empty());
    EXPECT_TRUE(ui.shown.back().text.endsWith(QStringLiteral("lxt.dat")));
    EXPECT_TRUE(ui.shown.back().title.isEmpty());
    EXPECT_EQ(ui.shown.back().icon, MsgIcon::Critical);
    EXPECT_FALSE(frm->isVisible());
}

TEST_F(FrmMainTest, ARestoredDocxInputOffersTheCommonWordsAndTicksUtf8) {
    QByteArray zip("PK\x03\x04", 4);
    zip += QByteArray(40, '\0');
    Settings stored;
    stored.txbFile[0] = files.Write(QStringLiteral("report.docx"), zip);
    stored.strCommonWordsFile = QCoreApplication::applicationDirPath() + "/cwds_en.txt";
    ASSERT_TRUE(SaveState(stored, QString()).isEmpty());
    RefuseCommonWords();
    Start();
    EXPECT_TRUE(ui.shown.front().text.endsWith(QStringLiteral("cwds_en.txt")));
    EXPECT_EQ(ui.shown.front().buttons, MsgButtons::YesNo);
    EXPECT_FALSE(frm->Run().blnCommonWordsLoaded);
    EXPECT_TRUE(frm->chkUTF8->isChecked());
    EXPECT_EQ(frm->txbFile[0]->text(), stored.txbFile[0]);
}

TEST_F(FrmMainTest, F1OnTheCountButtonOpensTheHelp) {
    Start();
    QKeyEvent press(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_F1, Qt::NoModifier);
    QCoreApplication::sendEvent(frm->cmdListWords, &press);
    QCoreApplication::sendEvent(frm->cmdListWords, &release);
    QWidget* help = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->windowTitle() == QStringLiteral("LXT Help") && w->isVisible()) help = w;
    }
    EXPECT_NE(help, nullptr);
    if (help) help->hide();
}

TEST_F(FrmMainTest, TheStateIsSavedByTheSaveButton) {
    Start();
    frm->SetOutputFilePath(files.File(QStringLiteral("words.csv")));
    frm->cmdSaveState_Click();
    const RestoredSettings back = RestoreSavedState(QString(), Settings{});
    EXPECT_TRUE(back.errorText.isEmpty()) << back.errorText.toStdString();
    EXPECT_EQ(back.settings.txbFile[1], files.File(QStringLiteral("words.csv")));
}

}  // namespace
}  // namespace lxt::test

namespace lxt::test {
namespace {

TEST_F(FrmMainTest, Timer2ShowsTheElapsedTimeOfAFileRunOnly) {
    Start();
    RunState& run = frm->Run();
    run.settings = frm->CollectSettings();
    RunElapsedTimeTo(run.ui, 3);
    run.lngNumWords = 1234;
    frm->Timer2_Timer();
    EXPECT_EQ(frm->lblTimeElapsed->text(), QStringLiteral("Time elapsed: 4s"));
    EXPECT_EQ(frm->lblNumberOfWords->text(),
              QStringLiteral("Number of different words found so far: 1,234"));
    // A clipboard run shows no elapsed time while it runs.
    frm->lblTimeElapsed->clear();
    frm->optOnClipboard->setChecked(true);
    frm->Timer2_Timer();
    EXPECT_TRUE(frm->lblTimeElapsed->text().isEmpty());
    EXPECT_EQ(run.ui.SecondsElapsed(), 5);
    // Once the run has ended the tick does nothing.
    run.ui.PauseElapsedTime();
    frm->Timer2_Timer();
    EXPECT_EQ(run.ui.SecondsElapsed(), 5);
}

}  // namespace
}  // namespace lxt::test

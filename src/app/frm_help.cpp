#include "app/frm_help.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QResizeEvent>

#include "app/cv_common.h"
#include "app/web_link.h"
#include "app/window_accessibility.h"
#include "support/catalogue.h"
#include "support/message_numbers.h"

namespace lxt {

namespace {

// Placement relative to the main window, in twips.
constexpr int kTopOffset = 480;
constexpr int kLeftOffset = 200;
constexpr int kWidthLess = 400;
constexpr int kHeightLess = 680;
// Layout inside the window, in twips.
constexpr int kTextLeft = 120;
constexpr int kTextTop = 120;
constexpr int kTextWidthLess = 350;
constexpr int kTextHeightLess = 1280;
constexpr int kButtonTopLess = 1000;
constexpr int kButtonWidth = 1200;
constexpr int kButtonHeight = 375;

constexpr QStringView kParagraphEnd = u"\r\n\r\n";

}  // namespace

QString HelpText(const QString& manualAddress) {
    const QStringList paragraphs = {
        QStringLiteral("An illustrated verson of this documentation (with a lot more "
                       "information) can be found at ") +
            manualAddress +
            QStringLiteral(".  This help window may be resized for easier reading."),
        QStringLiteral("This software scans a Word docx file or a text file, or text on the "
                       "clipboard, and counts the number of occurrences of the different "
                       "words. Text in any language is supported: a letter of any alphabet "
                       "(Latin, Greek, Cyrillic, Arabic, Hebrew, Devanagari, Chinese and the "
                       "rest) is part of a word, and so is an accent written as a mark after "
                       "a letter; other signs, digits of other scripts and emoji separate "
                       "words. Chinese, Japanese and Thai, written without spaces between "
                       "words, are counted as runs of letters. The words which are found and "
                       "displayed can be ordered alphabetically or by frequency."),
        QStringLiteral("The input file can have any extension, but it must either be a docx "
                       "file or consist only of text which is encoded as ANSI or via UTF-8. If "
                       "not a docx file then it cannot contain any bytes with ASCII values "
                       "less than 32 except for bytes representing tabs, line feeds, etc."),
        QStringLiteral("Text written in binary files such as pdf files (except docx files) "
                       "cannot be processed by reading it directly from a file. In such a "
                       "case open the document (with the appropriate application program) "
                       "then either (i) export to a text file (if supported) or (ii) select "
                       "all the text and copy it to the clipboard, then click on 'Count "
                       "words' with 'clipboard' selected as the source."),
        QStringLiteral("If the input file has one of the file extensions 'htm', 'html', "
                       "'shtml', 'xml' and 'php' then text within HTML, XML and PHP tags in "
                       "the file is ignored."),
        QStringLiteral("There is no limit on the size of an input text file, but there is a "
                       "limit on the amount of text which can be held in the textbox as a "
                       "result of listing words found. This limit is normally something "
                       "beyond 30,000 characters, so (in the case of a large file) only about "
                       "1000 to 2000 words can appear in the list.  There is a limit on the "
                       "amount of text in a docx file, but this program can handle docx files "
                       "with over 1 MB of text."),
        QStringLiteral("You can specify that the output be written to a file.  This can then "
                       "be loaded into Excel for further processing."),
        QStringLiteral("When working with large files containing many different words it is "
                       "best to define an output file. Then the results will be written to "
                       "this file before being displayed in the output window.  Thus the "
                       "results will be available in the file even if the textbox cannot "
                       "contain them."),
        QStringLiteral("Text may be composed in the textbox. To do a word count on this text "
                       "you must first copy it to the clipboard."),
        QStringLiteral("This program allows you to customize its operation so that just the "
                       "words are counted in which you are interested.  Do this by clicking "
                       "on 'Settings'.  Values set using this screen are saved on quitting "
                       "and restored when the program is next run."),
        QStringLiteral("You can tell the program to ignore common words in a particular "
                       "language (see the 'Settings' panel). Six files contain common words "
                       "in English, German, French, Italian, Spanish and Portuguese. You can "
                       "add or remove words as you wish, and words do not have to be in "
                       "alphabetical order or on separate lines."),
    };
    QString text;
    for (const QString& paragraph : paragraphs) {
        text += paragraph;
        text += kParagraphEnd;
    }
    return text;
}

FrmHelp::FrmHelp(QWidget& mainWindow, std::function<void()> setTheFocus)
    : QWidget(&mainWindow, Qt::Window), setTheFocus_(std::move(setTheFocus)) {
    setObjectName(QStringLiteral("frmHelp"));
    MakeAccessibleWindow(*this);
    txbHelpScreen = new QPlainTextEdit(this);
    txbHelpScreen->setObjectName(QStringLiteral("txbHelpScreen"));
    txbHelpScreen->setReadOnly(true);
    txbHelpScreen->move(TwipsToPixels(kTextLeft), TwipsToPixels(kTextTop));
    cmdClose = new QPushButton(this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    cmdClose->resize(TwipsToPixels(kButtonWidth), TwipsToPixels(kButtonHeight));
    connect(cmdClose, &QPushButton::clicked, this, [this] { cmdClose_Click(); });

    // Form_Load.
    const QRect main = mainWindow.frameGeometry();
    move(main.left() + TwipsToPixels(kLeftOffset), main.top() + TwipsToPixels(kTopOffset));
    resize(mainWindow.width() - TwipsToPixels(kWidthLess),
           mainWindow.height() - TwipsToPixels(kHeightLess));
    setWindowTitle(QLatin1String(kHelpCaption));
    cmdClose->setText(QLatin1String(kHelpCloseCaption));
    txbHelpScreen->setPlainText(HelpText(WebTargetDisplayText(Message(kMsgOnlineManual))));
    Form_Resize();
}

void FrmHelp::ShowOrRestore() {
    if (isMinimized()) {
        showNormal();
    } else {
        show();
    }
    raise();
    activateWindow();
}

void FrmHelp::cmdClose_Click() {
    hide();
    if (setTheFocus_) setTheFocus_();
}

void FrmHelp::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Form_Resize();
}

void FrmHelp::Form_Resize() {
    if (isMinimized()) return;
    // The window's measures include its frame, as the layout rules count them.
    const int frameWidth = frameGeometry().width() - geometry().width();
    const int frameHeight = frameGeometry().height() - geometry().height();
    const int windowWidth = width() + frameWidth;
    const int windowHeight = height() + frameHeight;
    txbHelpScreen->resize(std::max(0, windowWidth - TwipsToPixels(kTextWidthLess)),
                          std::max(0, windowHeight - TwipsToPixels(kTextHeightLess)));
    cmdClose->move((windowWidth - cmdClose->width()) / 2,
                   windowHeight - TwipsToPixels(kButtonTopLess));
}

}  // namespace lxt

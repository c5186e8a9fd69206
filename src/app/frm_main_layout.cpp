// The controls of the main window, their captions and fonts, and the layout in which the
// output box takes whatever room the window is given.
#include <QCheckBox>
#include <QComboBox>
#include <QFont>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTextEdit>
#include <QTimer>
#include <QVBoxLayout>

#include "app/frm_main.h"

namespace lxt {

namespace {

// Point sizes of the window's fonts.
constexpr double kControlPointSize = 9.0;
constexpr double kIntroPointSize = 9.75;
constexpr double kOutputPointSize = 8.25;
constexpr double kPathPointSize = 9.0;
constexpr double kStatisticsPointSize = 10.0;
// Timer intervals.
constexpr int kTimerIntervalMs = 1000;

QFont MakeFont(const QString& family, double points, QFont::StyleHint hint) {
    QFont font(family);
    font.setStyleHint(hint);
    font.setPointSizeF(points);
    return font;
}

QFont Arial(double points) {
    return MakeFont(QStringLiteral("Arial"), points, QFont::SansSerif);
}

QFont CourierNew(double points) {
    QFont font = MakeFont(QStringLiteral("Courier New"), points, QFont::TypeWriter);
    font.setFixedPitch(true);
    return font;
}

template <typename W>
W* Named(W* widget, const QString& name) {
    widget->setObjectName(name);
    return widget;
}

QLabel* LinkLabel(const QString& name, const QString& caption, const QString& tip) {
    auto* label = Named(new QLabel(caption), name);
    QFont font = label->font();
    font.setUnderline(true);
    label->setFont(font);
    label->setCursor(Qt::PointingHandCursor);
    label->setToolTip(tip);
    return label;
}

}  // namespace

void FrmMain::BuildLayout() {
    setWindowTitle(QString::fromLatin1(kProgramTitle));
    setProperty("tag", QString::fromLatin1(kMainWindowTag));
    setFont(Arial(kControlPointSize));

    auto* central = Named(new QWidget(this), QStringLiteral("frmMain"));
    central->setAutoFillBackground(true);
    setCentralWidget(central);

    // Frame 1: the source and the Count button.
    fraFrames[0] = Named(new QGroupBox, QStringLiteral("fraSource"));
    Label5 = Named(new QLabel(QStringLiteral("Source: ")), QStringLiteral("Label5"));
    optInFile = Named(new QRadioButton(QStringLiteral("file")), QStringLiteral("optInFile"));
    optOnClipboard =
        Named(new QRadioButton(QStringLiteral("clipboard")), QStringLiteral("optOnClipboard"));
    chkSuppressWords = Named(new QCheckBox(QStringLiteral("Don't display words as found")),
                             QStringLiteral("chkSuppressWords"));
    chkSuppressWords->setToolTip(QString::fromLatin1(kSuppressWordsTip));
    cmdListWords =
        Named(new QPushButton(QStringLiteral("Count words")), QStringLiteral("cmdListWords"));
    cmdListWords->setMinimumWidth(120);
    cmdListWords->setMinimumHeight(34);
    {
        QFont bold = cmdListWords->font();
        bold.setBold(true);
        cmdListWords->setFont(bold);
    }
    lblSizeOfClipboardContents = Named(new QLabel(QStringLiteral(" 99,999 bytes on the clipboard")),
                                       QStringLiteral("lblSizeOfClipboardContents"));
    auto* sourceRow = new QHBoxLayout;
    sourceRow->addWidget(Label5);
    sourceRow->addWidget(optInFile);
    sourceRow->addWidget(optOnClipboard);
    sourceRow->addSpacing(12);
    sourceRow->addWidget(lblSizeOfClipboardContents, 1);
    auto* frame1 = new QGridLayout(fraFrames[0]);
    frame1->addLayout(sourceRow, 0, 0);
    frame1->addWidget(chkSuppressWords, 1, 0);
    frame1->addWidget(cmdListWords, 0, 1, 2, 1);

    // The two files.
    const std::array<QString, 2> fileCaptions{QStringLiteral("Input file"),
                                              QStringLiteral("Output file")};
    for (int i = 0; i < 2; ++i) {
        const QString index = QStringLiteral("(%1)").arg(i);
        cmdFile[i] = Named(new QPushButton(fileCaptions[i]), QStringLiteral("cmdFile") + index);
        txbFile[i] = Named(new QLineEdit, QStringLiteral("txbFile") + index);
        txbFile[i]->setFont(CourierNew(kPathPointSize));
        txbFile[i]->setMinimumWidth(200);
        cmdClearFile[i] =
            Named(new QPushButton(QStringLiteral("Clear")), QStringLiteral("cmdClearFile") + index);
    }
    chkUTF8 = Named(new QCheckBox(QStringLiteral("UTF-8")), QStringLiteral("chkUTF8"));
    lblFilesize =
        Named(new QLabel(QStringLiteral("Filesize: 1024 bytes")), QStringLiteral("lblFilesize"));
    lblXMLsize =
        Named(new QLabel(QStringLiteral("Text: 1024 bytes")), QStringLiteral("lblXMLsize"));
    chkDisableOutputToFile =
        Named(new QCheckBox(QStringLiteral("Disable")), QStringLiteral("chkDisableOutputToFile"));
    auto* files = new QGridLayout;
    files->addWidget(cmdFile[0], 0, 0);
    files->addWidget(txbFile[0], 0, 1);
    files->addWidget(cmdClearFile[0], 0, 2);
    files->addWidget(chkUTF8, 0, 3);
    files->addWidget(cmdFile[1], 1, 0);
    files->addWidget(txbFile[1], 1, 1);
    files->addWidget(cmdClearFile[1], 1, 2);
    files->addWidget(chkDisableOutputToFile, 1, 3);
    auto* sizes = new QHBoxLayout;
    sizes->addWidget(lblFilesize);
    sizes->addSpacing(16);
    sizes->addWidget(lblXMLsize);
    sizes->addStretch(1);
    files->addLayout(sizes, 2, 1, 1, 3);
    files->setColumnStretch(1, 1);

    // Frame 3: word order and format.
    fraFrames[2] = Named(new QGroupBox, QStringLiteral("fraLists"));
    lblWordOrder = Named(new QLabel(QStringLiteral("Word order:")), QStringLiteral("lblWordOrder"));
    cboWordOrder = Named(new QComboBox, QStringLiteral("cboWordOrder"));
    lblDisplayFormat =
        Named(new QLabel(QStringLiteral("Format:")), QStringLiteral("lblDisplayFormat"));
    cboDisplayFormat = Named(new QComboBox, QStringLiteral("cboDisplayFormat"));
    cboDisplayFormat->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    auto* lists = new QGridLayout(fraFrames[2]);
    lists->addWidget(lblWordOrder, 0, 0);
    lists->addWidget(cboWordOrder, 0, 1);
    lists->addWidget(lblDisplayFormat, 1, 0);
    lists->addWidget(cboDisplayFormat, 1, 1);

    // The command buttons.
    cmdSetParameters =
        Named(new QPushButton(QStringLiteral("Settings")), QStringLiteral("cmdSetParameters"));
    cmdSaveState =
        Named(new QPushButton(QStringLiteral("Save settings")), QStringLiteral("cmdSaveState"));
    cmdClearOutput =
        Named(new QPushButton(QStringLiteral("Clear textbox")), QStringLiteral("cmdClearOutput"));
    cmdHelp = Named(new QPushButton(QStringLiteral("Help")), QStringLiteral("cmdHelp"));
    cmdChart = Named(new QPushButton(QStringLiteral("Chart")), QStringLiteral("cmdChart"));
    cmdChart->setToolTip(QStringLiteral("Shows the listed words as a chart (Ctrl+G)"));
    // Nothing is listed yet.
    cmdChart->setEnabled(false);
    cmdQuit = Named(new QPushButton(QStringLiteral("Quit")), QStringLiteral("cmdQuit"));
    auto* buttons = new QGridLayout;
    buttons->addWidget(cmdSetParameters, 0, 0);
    buttons->addWidget(cmdSaveState, 0, 1);
    buttons->addWidget(cmdHelp, 0, 2);
    buttons->addWidget(cmdChart, 0, 3);
    buttons->addWidget(cmdClearOutput, 1, 0);
    buttons->addWidget(cmdQuit, 1, 2);

    // The introduction.
    txbIntro = Named(new QTextEdit, QStringLiteral("txbIntro"));
    txbIntro->setReadOnly(true);
    txbIntro->setFont(Arial(kIntroPointSize));
    txbIntro->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txbIntro->setMinimumHeight(90);
    txbIntro->setMaximumHeight(130);

    // Frame 2: the statistics.
    fraFrames[1] = Named(new QGroupBox, QStringLiteral("fraStatistics"));
    lblTimeElapsed = Named(new QLabel(QStringLiteral("Time elapsed:  3h 44m 22s")),
                           QStringLiteral("lblTimeElapsed"));
    lblNumberOfWords = Named(new QLabel(QStringLiteral("Number of words in this list: 23,456")),
                             QStringLiteral("lblNumberOfWords"));
    lblNumWordsExcluded = Named(new QLabel(QStringLiteral("Number of words ignored: 0")),
                                QStringLiteral("lblNumWordsExcluded"));
    lblNumOccurrences =
        Named(new QLabel(QStringLiteral("Number of instances of words in this list: 99,999")),
              QStringLiteral("lblNumOccurrences"));
    lblTotalNumOccurrences =
        Named(new QLabel(QStringLiteral("Total number of instances of words: 99,999")),
              QStringLiteral("lblTotalNumOccurrences"));
    lblTwirler = Named(new QLabel(QStringLiteral("/")), QStringLiteral("lblTwirler"));
    lblTwirler->setMinimumWidth(18);
    for (QLabel* l : {lblTimeElapsed, lblNumberOfWords, lblNumWordsExcluded, lblNumOccurrences,
                      lblTotalNumOccurrences}) {
        l->setFont(Arial(kStatisticsPointSize));
        l->setTextFormat(Qt::PlainText);
    }
    for (QLabel* l :
         {lblNumberOfWords, lblNumWordsExcluded, lblNumOccurrences, lblTotalNumOccurrences}) {
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        // The labels come and go during a run: their room stays.
        QSizePolicy keep = l->sizePolicy();
        keep.setRetainSizeWhenHidden(true);
        l->setSizePolicy(keep);
    }
    auto* statistics = new QGridLayout(fraFrames[1]);
    statistics->addWidget(lblTimeElapsed, 0, 0);
    statistics->addWidget(lblTwirler, 0, 1, Qt::AlignRight);
    statistics->addWidget(lblNumberOfWords, 1, 0, 1, 2);
    statistics->addWidget(lblNumWordsExcluded, 2, 0, 1, 2);
    statistics->addWidget(lblNumOccurrences, 3, 0, 1, 2);
    statistics->addWidget(lblTotalNumOccurrences, 4, 0, 1, 2);
    fraFrames[1]->setMinimumWidth(380);

    // The output box.
    txbOutput = Named(new QPlainTextEdit, QStringLiteral("txbOutput"));
    txbOutput->setFont(CourierNew(kOutputPointSize));
    txbOutput->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txbOutput->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    txbOutput->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    // The box is written by the program; the user reads, selects and copies it.
    txbOutput->setReadOnly(true);
    txbOutput->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    txbOutput->setMinimumHeight(160);

    // The publisher's links.
    lblCorvaneSystems =
        LinkLabel(QStringLiteral("lblCorvaneSystems"), QStringLiteral("Corvane Systems"),
                  QStringLiteral("Click to visit the Corvane Systems web site"));
    lblOnlineDocumentation =
        LinkLabel(QStringLiteral("lblOnlineDocumentation"), QStringLiteral("Online user manual"),
                  QStringLiteral("Click to read the user manual in your web browser"));
    auto* notice = Named(new QLabel(QStringLiteral("Free software from Corvane Systems")),
                         QStringLiteral("lblNotice"));
    auto* links = new QHBoxLayout;
    links->addWidget(lblCorvaneSystems);
    links->addSpacing(20);
    links->addWidget(lblOnlineDocumentation);
    links->addStretch(1);
    links->addWidget(notice);

    // The whole window: controls on top, the output box below taking the room.
    auto* top = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    left->addWidget(fraFrames[0]);
    left->addLayout(files);
    auto* lowerLeft = new QHBoxLayout;
    lowerLeft->addWidget(fraFrames[2]);
    lowerLeft->addLayout(buttons);
    lowerLeft->addStretch(1);
    left->addLayout(lowerLeft);
    top->addLayout(left, 3);
    auto* right = new QVBoxLayout;
    right->addWidget(txbIntro);
    right->addWidget(fraFrames[1]);
    top->addLayout(right, 2);

    auto* whole = new QVBoxLayout(central);
    whole->addLayout(top);
    whole->addWidget(txbOutput, 1);
    whole->addLayout(links);

    ApplyDesktopColours();

    Timer1 = Named(new QTimer(this), QStringLiteral("Timer1"));
    Timer1->setInterval(kTimerIntervalMs);
    Timer2 = Named(new QTimer(this), QStringLiteral("Timer2"));
    Timer2->setInterval(kTimerIntervalMs);

    resize(980, 720);
}

}  // namespace lxt

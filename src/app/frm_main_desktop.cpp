// The main window's habits as a Linux desktop program: a file named on the command line or
// dropped onto the window becomes the input file, the usual shortcuts (Ctrl+O, Ctrl+Q, F1)
// work anywhere in it, and its colours follow a dark desktop palette.
#include <QAbstractScrollArea>
#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGroupBox>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPalette>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTextEdit>
#include <QUrl>

#include "app/frm_main.h"
#include "support/native_file.h"
#include "support/native_file_name.h"

namespace lxt {

namespace {

// The window's grey, the text boxes' white and the links' blue on a light desktop.
constexpr int kBackgroundGrey = 224;
// A palette whose window colour is darker than this lightness (0-255) is a dark one.
constexpr int kDarkLightness = 128;

bool IsDark(const QPalette& palette) {
    return palette.color(QPalette::Window).lightness() < kDarkLightness;
}

}  // namespace

QString InputFileArgument(const QStringList& arguments) {
    bool onlyFiles = false;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (!onlyFiles && argument == QLatin1String("--")) {
            onlyFiles = true;
        } else if (onlyFiles || !argument.startsWith(u'-')) {
            return argument;
        }
    }
    return {};
}

void FrmMain::OpenInputFile(const QString& path) {
    if (path.isEmpty() || IsCounting() || !cmdFile[0]->isEnabled()) return;
    run_->blnWordsGot = false;
    ChooseFile(0, AbsoluteFilePath(path));
}

void FrmMain::SetUpDesktopHabits() {
    auto* open = new QShortcut(QKeySequence(kOpenKeys), this);
    connect(open, &QShortcut::activated, this, [this] {
        if (cmdFile[0]->isEnabled()) cmdFile_Click(0);
    });
    // Quitting by the keyboard closes the window, which runs cmdQuit_Click as every close does.
    auto* quit = new QShortcut(QKeySequence(kQuitKeys), this);
    connect(quit, &QShortcut::activated, this, &QWidget::close);
    auto* help = new QShortcut(QKeySequence(kHelpKeys), this);
    connect(help, &QShortcut::activated, this, [this] {
        if (cmdHelp->isEnabled()) ShowHelp();
    });

    // Drops land on the window: the boxes that would take a dropped text leave it to it.
    setAcceptDrops(true);
    for (QWidget* box : {static_cast<QWidget*>(txbFile[0]), static_cast<QWidget*>(txbFile[1]),
                         static_cast<QWidget*>(txbIntro), static_cast<QWidget*>(txbOutput)}) {
        box->setAcceptDrops(false);
    }
}

QString FrmMain::DroppedInputFile(const QMimeData* data) const {
    if (data == nullptr || !data->hasUrls() || IsCounting() || !cmdFile[0]->isEnabled()) {
        return {};
    }
    const QList<QUrl> urls = data->urls();
    if (urls.isEmpty() || !urls.first().isLocalFile()) return {};
    const QUrl& url = urls.first();
#ifdef Q_OS_UNIX
    // The path's bytes as the URL carries them: toLocalFile() would turn bytes that are not
    // UTF-8 into U+FFFD and so name another file.
    if (url.host().isEmpty()) {
        return DecodeFileName(
            QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1()));
    }
#endif
    return url.toLocalFile();
}

void FrmMain::dragEnterEvent(QDragEnterEvent* event) {
    if (!DroppedInputFile(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void FrmMain::dropEvent(QDropEvent* event) {
    const QString path = DroppedInputFile(event->mimeData());
    if (path.isEmpty()) return;
    event->acceptProposedAction();
    activateWindow();
    OpenInputFile(path);
}

bool FrmMain::event(QEvent* event) {
    if (event->type() == QEvent::ApplicationPaletteChange) ApplyDesktopColours();
    return QMainWindow::event(event);
}

void FrmMain::ApplyDesktopColours() {
    const QPalette desktop = QApplication::palette();
    const bool dark = IsDark(desktop);
    QPalette window = desktop;
    if (!dark)
        window.setColor(QPalette::Window,
                        QColor(kBackgroundGrey, kBackgroundGrey, kBackgroundGrey));
    setPalette(window);
    centralWidget()->setPalette(window);
    for (QGroupBox* frame : fraFrames) frame->setPalette(window);

    QPalette boxes = window;
    if (!dark) boxes.setColor(QPalette::Base, Qt::white);
    txbOutput->setPalette(boxes);
    txbIntro->setPalette(boxes);

    QPalette link = window;
    link.setColor(QPalette::WindowText, dark ? desktop.color(QPalette::Link) : QColor(Qt::blue));
    lblCorvaneSystems->setPalette(link);
    lblOnlineDocumentation->setPalette(link);
}

}  // namespace lxt

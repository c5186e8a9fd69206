#include "app/frm_chart.h"

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHorizontalBarSeries>
#include <QLineSeries>
#include <QLogValueAxis>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QSvgGenerator>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>
#include <limits>

#include "support/catalogue.h"
#include "support/message_numbers.h"
#include "support/ui.h"

namespace lxt {

namespace {

// The window's size when it first opens (device-independent pixels), at most the screen's.
constexpr int kWindowWidth = 1180;
constexpr int kWindowHeight = 760;
// Room beyond the longest bar for its label, and above and beside the curve's points.
constexpr double kBarLabelRoom = 1.2;
constexpr double kCurveTopRoom = 2.0;
constexpr double kCurveRightRoom = 1.5;
// The frequency axis starts below 1, so that the words seen once stay in sight.
constexpr double kCurveBottom = 0.6;
// The smallest rank and frequency axes: one decade.
constexpr double kLeastDecade = 10.0;
constexpr int kLogBase = 10;
constexpr int kMinorTicks = 8;
constexpr int kCountTicks = 6;
// Bars take this share of their row.
constexpr double kBarWidth = 0.75;
constexpr int kCurvePenWidth = 2;
constexpr int kFitPenWidth = 3;
// Palettes whose window colour is darker than this get the dark chart theme.
constexpr int kDarkLightness = 128;

// The fit's colour: it stands out from the theme's first series colour in both themes.
const QColor kFitColourLight(200, 40, 40);
const QColor kFitColourDark(255, 170, 60);

const QString kPngFilter = QStringLiteral("PNG images (*.png)");
const QString kSvgFilter = QStringLiteral("SVG drawings (*.svg)");
const QString kSaveFailed = QStringLiteral("The chart could not be saved as\r\n");

void Clear(QChart* chart) {
    chart->removeAllSeries();
    for (QAbstractAxis* axis : chart->axes()) {
        chart->removeAxis(axis);
        delete axis;
    }
}

void EmphasiseTitle(QChart* chart) {
    QFont font = chart->titleFont();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 1.25);
    chart->setTitleFont(font);
}

QChartView* MakeView(const QString& name) {
    auto* view = new QChartView(new QChart);
    view->setObjectName(name);
    view->setRenderHint(QPainter::Antialiasing);
    view->chart()->setMargins(QMargins(4, 4, 4, 4));
    return view;
}

QString WithSuffix(const QString& path, const QString& suffix) {
    if (path.isEmpty() || !QFileInfo(path).suffix().isEmpty()) return path;
    return path + QLatin1Char('.') + suffix;
}

}  // namespace

FrmChart::FrmChart(Ui& ui, FileChooser chooseFile)
    : QWidget(nullptr, Qt::Window), ui_(ui), chooseFile_(std::move(chooseFile)) {
    setObjectName(QStringLiteral("frmChart"));
    setWindowTitle(QString::fromLatin1(kChartCaption));

    barView = MakeView(QStringLiteral("chtWords"));
    curveView = MakeView(QStringLiteral("chtRankFrequency"));
    chartArea_ = new QWidget;
    chartArea_->setObjectName(QStringLiteral("fraCharts"));
    auto* charts = new QHBoxLayout(chartArea_);
    charts->setContentsMargins(0, 0, 0, 0);
    charts->addWidget(barView, 1);
    charts->addWidget(curveView, 1);

    cmdSavePng = new QPushButton(QString::fromLatin1(kSavePngCaption));
    cmdSavePng->setObjectName(QStringLiteral("cmdSavePng"));
    cmdSaveSvg = new QPushButton(QString::fromLatin1(kSaveSvgCaption));
    cmdSaveSvg->setObjectName(QStringLiteral("cmdSaveSvg"));
    connect(cmdSavePng, &QPushButton::clicked, this, [this] { cmdSavePng_Click(); });
    connect(cmdSaveSvg, &QPushButton::clicked, this, [this] { cmdSaveSvg_Click(); });
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdSavePng);
    buttons->addWidget(cmdSaveSvg);

    auto* whole = new QVBoxLayout(this);
    whole->addWidget(chartArea_, 1);
    whole->addLayout(buttons);

    QSize size(kWindowWidth, kWindowHeight);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        size = size.boundedTo(screen->availableSize());
    }
    resize(size);
    Draw();
}

void FrmChart::ShowChart(const ListedWordsChart& chart) {
    chart_ = chart;
    Draw();
}

bool FrmChart::IsDark() const {
    return palette().color(QPalette::Window).lightness() < kDarkLightness;
}

void FrmChart::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::PaletteChange) Draw();
}

void FrmChart::Draw() {
    const QChart::ChartTheme theme = IsDark() ? QChart::ChartThemeDark : QChart::ChartThemeLight;
    for (QChartView* view : {barView, curveView}) {
        Clear(view->chart());
        view->chart()->setTheme(theme);
        EmphasiseTitle(view->chart());
    }
    const bool any = !chart_.IsEmpty();
    cmdSavePng->setEnabled(any);
    cmdSaveSvg->setEnabled(any);
    DrawBars();
    DrawCurve();
}

void FrmChart::DrawBars() {
    QChart* chart = barView->chart();
    chart->legend()->hide();
    const auto count = static_cast<qint32>(chart_.bars.size());
    if (count == 0) {
        chart->setTitle(QString::fromLatin1(kNothingListed));
        return;
    }
    chart->setTitle(count == 1 ? QStringLiteral("The most frequent word")
                               : QStringLiteral("The %1 most frequent words").arg(count));
    // The first category is drawn at the bottom: the most frequent word goes last.
    auto* set = new QBarSet(QStringLiteral("Frequency"));
    QStringList words;
    for (auto bar = chart_.bars.rbegin(); bar != chart_.bars.rend(); ++bar) {
        set->append(bar->frequency);
        words << bar->word;
    }
    auto* series = new QHorizontalBarSeries;
    series->append(set);
    series->setBarWidth(kBarWidth);
    series->setLabelsVisible(true);
    series->setLabelsPosition(QAbstractBarSeries::LabelsOutsideEnd);
    series->setLabelsFormat(QStringLiteral("@value"));
    series->setLabelsPrecision(std::numeric_limits<qint32>::digits10 + 1);
    chart->addSeries(series);

    auto* wordAxis = new QBarCategoryAxis;
    wordAxis->append(words);
    wordAxis->setGridLineVisible(false);
    // Words are shown whole: the axis takes the room the longest needs.
    wordAxis->setTruncateLabels(false);
    chart->addAxis(wordAxis, Qt::AlignLeft);
    series->attachAxis(wordAxis);
    // The themes colour bar labels for the inside of a bar; outside it they are written in
    // the colour of the axis labels.
    set->setLabelColor(wordAxis->labelsColor());

    auto* countAxis = new QValueAxis;
    countAxis->setRange(0, chart_.bars.front().frequency * kBarLabelRoom);
    countAxis->setTickCount(kCountTicks);
    countAxis->applyNiceNumbers();
    countAxis->setLabelFormat(QStringLiteral("%.0f"));
    countAxis->setTitleText(QStringLiteral("Frequency"));
    chart->addAxis(countAxis, Qt::AlignBottom);
    series->attachAxis(countAxis);
}

void FrmChart::DrawCurve() {
    QChart* chart = curveView->chart();
    if (chart_.IsEmpty()) {
        chart->setTitle(QString());
        chart->legend()->hide();
        return;
    }
    chart->setTitle(ZipfExponentText(chart_.fit));
    chart->legend()->setVisible(true);
    chart->legend()->setAlignment(Qt::AlignBottom);

    auto* rankAxis = new QLogValueAxis;
    rankAxis->setBase(kLogBase);
    rankAxis->setMinorTickCount(kMinorTicks);
    rankAxis->setMinorGridLineVisible(false);
    rankAxis->setLabelFormat(QStringLiteral("%.0f"));
    rankAxis->setTitleText(QStringLiteral("Rank"));
    rankAxis->setRange(1, std::max(kLeastDecade, chart_.numRanks * kCurveRightRoom));
    auto* frequencyAxis = new QLogValueAxis;
    frequencyAxis->setBase(kLogBase);
    frequencyAxis->setMinorTickCount(kMinorTicks);
    frequencyAxis->setMinorGridLineVisible(false);
    frequencyAxis->setLabelFormat(QStringLiteral("%.0f"));
    frequencyAxis->setTitleText(QStringLiteral("Frequency"));
    // The fitted line starts at rank 1 and may start above the most frequent word.
    const double top = chart_.fit.fitted
                           ? std::max<double>(chart_.maxFrequency, FittedFrequency(chart_.fit, 1.0))
                           : chart_.maxFrequency;
    frequencyAxis->setRange(kCurveBottom, std::max(kLeastDecade, top * kCurveTopRoom));
    chart->addAxis(rankAxis, Qt::AlignBottom);
    chart->addAxis(frequencyAxis, Qt::AlignLeft);

    auto* words = new QLineSeries;
    words->setName(QStringLiteral("Listed words"));
    QList<QPointF> points;
    points.reserve(static_cast<qsizetype>(chart_.curve.size()));
    for (const RankPoint& p : chart_.curve) points.append(QPointF(p.rank, p.frequency));
    // A single word is a point, not a line: it gets a marker.
    words->setPointsVisible(points.size() == 1);
    words->replace(points);
    chart->addSeries(words);
    QPen pen = words->pen();
    pen.setWidth(kCurvePenWidth);
    words->setPen(pen);
    words->attachAxis(rankAxis);
    words->attachAxis(frequencyAxis);

    if (!chart_.fit.fitted) return;
    auto* fit = new QLineSeries;
    fit->setName(QStringLiteral("Least-squares fit"));
    const double last = chart_.fit.ranksUsed;
    fit->append(1.0, FittedFrequency(chart_.fit, 1.0));
    fit->append(last, FittedFrequency(chart_.fit, last));
    chart->addSeries(fit);
    fit->setPen(QPen(IsDark() ? kFitColourDark : kFitColourLight, kFitPenWidth, Qt::DashLine));
    fit->attachAxis(rankAxis);
    fit->attachAxis(frequencyAxis);
}

QString FrmChart::AskForFile(const QString& title, const QString& filter, const QString& suffix) {
    FileDialogRequest request;
    request.title = title;
    request.filter = filter;
    request.mode = FileDialogMode::Save;
    request.owner = this;
    return WithSuffix(chooseFile_(request), suffix);
}

void FrmChart::ReportSaveFailure(const QString& path) {
    ui_.MsgBox(kSaveFailed + path, Message(kMsgTitleError), MsgButtons::Ok, MsgIcon::Exclamation);
}

void FrmChart::cmdSavePng_Click() {
    const QString path =
        AskForFile(QString::fromLatin1(kSavePngCaption), kPngFilter, QStringLiteral("png"));
    if (!path.isEmpty()) SaveAsPng(path);
}

void FrmChart::cmdSaveSvg_Click() {
    const QString path =
        AskForFile(QString::fromLatin1(kSaveSvgCaption), kSvgFilter, QStringLiteral("svg"));
    if (!path.isEmpty()) SaveAsSvg(path);
}

bool FrmChart::SaveAsPng(const QString& path) {
    // The charts lay themselves out on posted events: the picture shows them finished.
    QCoreApplication::sendPostedEvents();
    if (!chartArea_->grab().save(path, "PNG")) {
        ReportSaveFailure(path);
        return false;
    }
    return true;
}

bool FrmChart::SaveAsSvg(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        ReportSaveFailure(path);
        return false;
    }
    QCoreApplication::sendPostedEvents();
    QSvgGenerator svg;
    svg.setOutputDevice(&file);
    svg.setSize(chartArea_->size());
    svg.setViewBox(QRect(QPoint(0, 0), chartArea_->size()));
    svg.setTitle(windowTitle());
    svg.setDescription(ZipfExponentText(chart_.fit));
    QPainter painter;
    if (!painter.begin(&svg)) {
        ReportSaveFailure(path);
        return false;
    }
    chartArea_->render(&painter);
    painter.end();
    file.close();
    if (file.error() != QFileDevice::NoError) {
        ReportSaveFailure(path);
        return false;
    }
    return true;
}

}  // namespace lxt

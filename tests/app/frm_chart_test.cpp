// The Chart window opened from the main window after real counts: its bars and their labels,
// the fitted exponent, how it follows re-listing, new counts and stopped counts, saving, and
// the dark palette.
#include "app/frm_chart.h"

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QFile>
#include <QHorizontalBarSeries>
#include <QImage>
#include <QLineSeries>
#include <QShortcut>

#include "frm_main_test_fixture.h"

namespace lxt::test {
namespace {

// Frequencies 60 / rank: the fitted exponent is exactly 1.
QByteArray HarmonicText() {
    const std::pair<const char*, int> words[] = {{"alpha", 60}, {"bravo", 30}, {"charlie", 20},
                                                 {"delta", 15}, {"echo", 12},  {"foxtrot", 10}};
    QByteArray text;
    for (const auto& [word, count] : words) {
        for (int i = 0; i < count; ++i) text += QByteArray(word) + (i % 10 == 9 ? "\r\n" : " ");
    }
    return text;
}

class FrmChartTest : public FrmMainTest {
  protected:
    void CountFile(const char* name, const QByteArray& text) {
        frm->SetInputFilePath(files.Write(name, text));
        frm->cmdListWords_Click();
    }

    FrmChart& OpenChart() {
        EXPECT_TRUE(frm->cmdChart->isEnabled());
        frm->cmdChart->click();
        FrmChart* chart = frm->ChartWindow();
        EXPECT_NE(chart, nullptr);
        EXPECT_TRUE(chart->isVisible());
        return *chart;
    }

    // The bars from top to bottom as "word frequency".
    static QStringList Bars(const FrmChart& chart) {
        const QList<QAbstractSeries*> series = chart.barView->chart()->series();
        if (series.isEmpty()) return {};
        auto* bars = static_cast<QHorizontalBarSeries*>(series.first());
        const QList<QAbstractAxis*> axes = chart.barView->chart()->axes(Qt::Vertical);
        const QStringList words = static_cast<QBarCategoryAxis*>(axes.first())->categories();
        const QBarSet* set = bars->barSets().first();
        QStringList out;
        for (qsizetype i = words.size() - 1; i >= 0; --i) {
            out << words[i] + QLatin1Char(' ') + QString::number(set->at(i));
        }
        return out;
    }

    static QString FitTitle(const FrmChart& chart) { return chart.curveView->chart()->title(); }
    static qsizetype CurveSeries(const FrmChart& chart) {
        return chart.curveView->chart()->series().size();
    }
};

TEST_F(FrmChartTest, ShowsTheListedWordsWithLabelledBarsAndTheFittedExponent) {
    Start();
    EXPECT_FALSE(frm->cmdChart->isEnabled());
    EXPECT_EQ(frm->cmdChart->text(), QStringLiteral("Chart"));
    CountFile("harmonic.txt", HarmonicText());
    FrmChart& chart = OpenChart();
    EXPECT_EQ(chart.windowTitle(), QStringLiteral("Chart"));
    EXPECT_EQ(Bars(chart), (QStringList{"alpha 60", "bravo 30", "charlie 20", "delta 15", "echo 12",
                                        "foxtrot 10"}));
    auto* bars = static_cast<QHorizontalBarSeries*>(chart.barView->chart()->series().first());
    EXPECT_TRUE(bars->isLabelsVisible());
    EXPECT_EQ(bars->labelsPosition(), QAbstractBarSeries::LabelsOutsideEnd);
    // Outside its bar a label is written in the colour of the axis labels, not the theme's
    // white for the inside of a bar; the words are never cut short.
    auto* words = static_cast<QBarCategoryAxis*>(chart.barView->chart()->axes(Qt::Vertical)[0]);
    EXPECT_EQ(bars->barSets()[0]->labelColor(), words->labelsColor());
    EXPECT_FALSE(words->truncateLabels());
    EXPECT_EQ(FitTitle(chart), QStringLiteral("Zipf exponent s = 1.00"));
    // The curve and the fitted line, from rank 1 to rank 6.
    ASSERT_EQ(CurveSeries(chart), 2);
    auto* fit = static_cast<QLineSeries*>(chart.curveView->chart()->series().at(1));
    ASSERT_EQ(fit->count(), 2);
    EXPECT_DOUBLE_EQ(fit->at(1).x(), 6.0);
    EXPECT_NEAR(fit->at(1).y(), 10.0, 1e-9);
    EXPECT_EQ(chart.cmdSavePng->text(), QStringLiteral("Save as PNG"));
    EXPECT_EQ(chart.cmdSaveSvg->text(), QStringLiteral("Save as SVG"));
    chart.hide();

    // Ctrl+G opens it as well.
    for (QShortcut* key : frm->findChildren<QShortcut*>()) {
        if (key->key() == QKeySequence(Qt::CTRL | Qt::Key_G)) emit key->activated();
    }
    EXPECT_TRUE(chart.isVisible());
}

TEST_F(FrmChartTest, FollowsReListingAndNewCounts) {
    Start();
    CountFile("harmonic.txt", HarmonicText());
    FrmChart& chart = OpenChart();
    // Listing again in another order or format redraws the open window with the same ranks.
    const QAbstractSeries* drawn = chart.barView->chart()->series().first();
    frm->cboWordOrder->setCurrentIndex(1);
    EXPECT_NE(chart.barView->chart()->series().first(), drawn);
    EXPECT_EQ(Bars(chart).first(), QStringLiteral("alpha 60"));
    frm->cboDisplayFormat->setCurrentIndex(8);
    EXPECT_EQ(Bars(chart).size(), 6);

    // While a new count runs the window is empty and the button disabled; then the new words.
    bool clearedWhileCounting = false;
    ui.OnDoEvents([&] {
        if (frm->IsCounting() && !frm->cmdChart->isEnabled() && Bars(chart).isEmpty()) {
            clearedWhileCounting = true;
        }
    });
    CountFile("other.txt", "oscar oscar oscar papa papa quebec\r\n");
    EXPECT_TRUE(clearedWhileCounting);
    EXPECT_EQ(Bars(chart), (QStringList{"oscar 3", "papa 2", "quebec 1"}));
    ui.OnDoEvents({});

    // A count refused before it began keeps the chart.
    frm->SetInputFilePath(QStringLiteral("  "));
    ui.Expect(QStringLiteral("Input file not specified."));
    frm->cmdListWords_Click();
    EXPECT_TRUE(frm->cmdChart->isEnabled());
    EXPECT_EQ(Bars(chart).size(), 3);
}

TEST_F(FrmChartTest, AStoppedCountChartsThePartialWordsOnlyWhenTheyAreListed) {
    Start();
    frm->SetInputFilePath(files.Write("words.txt", DistinctWords(3000)));
    StopAndAnswer(MsgResult::Yes);
    const qint32 found = frm->Run().lngNumWordsIncluded;
    ASSERT_GT(found, 0);
    ASSERT_LT(found, 3000);
    FrmChart& chart = OpenChart();
    EXPECT_EQ(chart.Chart().numRanks, found);
    EXPECT_EQ(Bars(chart).size(), std::min(found, kChartBars));
    // Every word once: the curve is drawn, the fit is not.
    EXPECT_EQ(FitTitle(chart), QStringLiteral("too few ranks to fit"));
    EXPECT_EQ(CurveSeries(chart), 1);

    // Stopped and not listed: the open window stays empty.
    StopAndAnswer(MsgResult::No);
    EXPECT_FALSE(frm->cmdChart->isEnabled());
    EXPECT_TRUE(Bars(chart).isEmpty());
    EXPECT_EQ(chart.barView->chart()->title(), QStringLiteral("No words listed"));
}

TEST_F(FrmChartTest, OneWordIsDrawnWithoutAFitAndNothingListedLeavesTheButtonDisabled) {
    Start();
    CountFile("one.txt", "hello hello hello\r\n");
    FrmChart& chart = OpenChart();
    EXPECT_EQ(Bars(chart), QStringList{"hello 3"});
    EXPECT_EQ(FitTitle(chart), QStringLiteral("too few ranks to fit"));
    ASSERT_EQ(CurveSeries(chart), 1);
    EXPECT_EQ(static_cast<QLineSeries*>(chart.curveView->chart()->series().first())->count(), 1);

    // Every word below the threshold: nothing listed, nothing to chart.
    frm->Params().chkIgnoreInfrequentWords->setChecked(true);
    frm->Params().cboThresholdFrequency->setCurrentIndex(3);  // 5 times at least
    CountFile("few.txt", "hello hello hello world\r\n");
    EXPECT_EQ(frm->Run().lngNumWordsIncluded, 0);
    EXPECT_FALSE(frm->cmdChart->isEnabled());
    EXPECT_TRUE(Bars(chart).isEmpty());
    EXPECT_FALSE(chart.cmdSavePng->isEnabled());
}

TEST_F(FrmChartTest, SavesBothChartsAsPngAndSvg) {
    Start();
    CountFile("harmonic.txt", HarmonicText());
    FrmChart& chart = OpenChart();
    // A name without its extension gets it.
    AnswerFileDialogs({files.File("words"), files.File("words.svg"), QString()});
    chart.cmdSavePng->click();
    const QImage png(files.File("words.png"));
    EXPECT_FALSE(png.isNull());
    EXPECT_GE(png.width(), chart.barView->width() * 2);
    EXPECT_EQ(fileRequests.back().title, QStringLiteral("Save as PNG"));
    EXPECT_EQ(fileRequests.back().mode, FileDialogMode::Save);
    chart.cmdSaveSvg->click();
    QFile svg(files.File("words.svg"));
    ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
    const QByteArray drawing = svg.readAll();
    EXPECT_TRUE(drawing.contains("<svg")) << drawing.left(200).constData();
    EXPECT_TRUE(drawing.contains("Zipf exponent s = 1.00"));
    EXPECT_TRUE(drawing.contains("charlie"));
    // Cancelled: nothing written, nothing said.
    chart.cmdSavePng->click();
    EXPECT_TRUE(ui.shown.empty());

    // A folder that does not exist is reported.
    ui.Expect(QStringLiteral("The chart could not be saved as"));
    EXPECT_FALSE(chart.SaveAsSvg(files.File("missing/words.svg")));
    ui.Expect(QStringLiteral("The chart could not be saved as"));
    EXPECT_FALSE(chart.SaveAsPng(files.File("missing/words.png")));
}

TEST_F(FrmChartTest, FollowsADarkPalette) {
    Start();
    CountFile("harmonic.txt", HarmonicText());
    FrmChart& chart = OpenChart();
    EXPECT_EQ(chart.barView->chart()->theme(), QChart::ChartThemeLight);
    QPalette dark = chart.palette();
    dark.setColor(QPalette::Window, QColor(40, 40, 40));
    dark.setColor(QPalette::WindowText, QColor(230, 230, 230));
    chart.setPalette(dark);
    EXPECT_EQ(chart.barView->chart()->theme(), QChart::ChartThemeDark);
    EXPECT_EQ(chart.curveView->chart()->theme(), QChart::ChartThemeDark);
    auto* words = static_cast<QBarCategoryAxis*>(chart.barView->chart()->axes(Qt::Vertical)[0]);
    EXPECT_GT(words->labelsColor().lightness(), 128);
    auto* bars = static_cast<QHorizontalBarSeries*>(chart.barView->chart()->series().first());
    EXPECT_EQ(bars->barSets()[0]->labelColor(), words->labelsColor());
    // Redrawn whole in the new theme.
    EXPECT_EQ(Bars(chart).size(), 6);
    EXPECT_EQ(CurveSeries(chart), 2);
}

}  // namespace
}  // namespace lxt::test

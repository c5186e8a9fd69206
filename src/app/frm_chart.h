// The Chart window: the words of the last listing as a horizontal bar chart of the most
// frequent ones and as their rank-frequency curve on log-log axes with the Zipf fit. It only
// draws what the engine prepared (ListedWordsChart), follows the light or dark palette, and
// saves both charts as one PNG or SVG picture.
#pragma once

#include <QString>
#include <QWidget>

#include "app/file_dialog.h"
#include "results/listed_words_chart.h"

class QPushButton;

class QChartView;

namespace lxt {

class Ui;

inline constexpr char kChartCaption[] = "Chart";
inline constexpr char kSavePngCaption[] = "Save as PNG";
inline constexpr char kSaveSvgCaption[] = "Save as SVG";
// The bar chart's title when nothing is listed.
inline constexpr char kNothingListed[] = "No words listed";

class FrmChart : public QWidget {
    Q_OBJECT

  public:
    // Messages go through `ui`; `chooseFile` answers the save dialogs.
    FrmChart(Ui& ui, FileChooser chooseFile);

    // Draws `chart` (an empty one leaves both charts empty).
    void ShowChart(const ListedWordsChart& chart);
    const ListedWordsChart& Chart() const { return chart_; }

    void cmdSavePng_Click();
    void cmdSaveSvg_Click();
    // Writes both charts as they are shown; false (after a message) when the file failed.
    bool SaveAsPng(const QString& path);
    bool SaveAsSvg(const QString& path);

    QChartView* barView = nullptr;
    QChartView* curveView = nullptr;
    QPushButton* cmdSavePng = nullptr;
    QPushButton* cmdSaveSvg = nullptr;

  protected:
    void changeEvent(QEvent* event) override;

  private:
    void Draw();
    void DrawBars();
    void DrawCurve();
    bool IsDark() const;
    QString AskForFile(const QString& title, const QString& filter, const QString& suffix);
    void ReportSaveFailure(const QString& path);

    Ui& ui_;
    FileChooser chooseFile_;
    ListedWordsChart chart_;
    QWidget* chartArea_ = nullptr;
};

}  // namespace lxt

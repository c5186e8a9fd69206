// Lists the included words of the ordered table, alphabetically or by decreasing frequency,
// into one destination: the output file, or the screen (the output box txbOutput, or a
// caller's sink for the headless counter). The output box holds at most 65,000 characters;
// the file and a sink have no limit. Lines reach the screen 20 at a time.
#pragma once

#include <QByteArray>
#include <QString>
#include <functional>
#include <vector>

#include "results/listing_formats.h"
#include "run/word_list.h"

class QIODevice;

namespace lxt {

struct RunState;

// Lines are gathered and added to the screen this many at a time.
inline constexpr qint32 kLinesPerBatch = 20;
// The arrows the twirler shows in turn, one per listed line.
inline constexpr char16_t kTwirlerArrows[4] = {u'←', u'↑', u'→', u'↓'};
inline constexpr char16_t kBlankTwirler[] = u" ";

// Where the screen phase of a listing goes. By default it goes to the output box through
// the Ui, limited to kMaxTextLength characters. With a screenSink the header, the lines and
// the closing texts go to the sink instead, in the pieces the box would receive (CR LF line
// breaks; the nothing-listed text too, ended by CR LF); limitOutputBox then applies the same
// limit to what the sink received.
// With screenLineBytes as well (and no limit), the lines themselves, but not the header,
// go there instead, as UTF-8 with plain line breaks (LF), in pieces of whole lines; the
// lines of format 9, which are joined by ", ", still go to screenSink.
struct ListingTarget {
    bool limitOutputBox = true;
    std::function<void(const QString&)> screenSink;
    std::function<void(QByteArrayView)> screenLineBytes;
};

// How a listing ended.
enum class ListingEnd { Completed, Stopped, OutputBoxFull, FileFailed, Failed };

// One listing in progress: its destination and what DisplayNextLine needs.
struct ListingContext {
    ListingContext(RunState& run, const ListingTarget& target) : run(run), target(target) {}

    RunState& run;
    ListingTarget target;
    bool blnWritingOutputFile = false;
    LineStyle style;

    // The output file while blnWritingOutputFile: encoded bytes (UTF-8 when fileUtf8, else
    // Windows-1252) gather in fileBytes.
    QIODevice* file = nullptr;
    bool fileUtf8 = false;
    QByteArray fileBytes;
    bool fileFailed = false;
    qint32 wordsDelivered = 0;

    // A sink's running length (characters, or bytes of lines) and the ", " held back from it
    // (format 9 drops the last one).
    qsizetype sinkLength = 0;
    QString sinkHeld;
    // Lines gathered for screenLineBytes.
    QByteArray screenBytes;

    // While keepFileLines: the file's bytes as they were written, in pieces, the lines of
    // the words from keptLinesStart (in the first piece) on.
    bool keepFileLines = false;
    std::vector<QByteArray> keptFileBytes;
    qsizetype keptLinesStart = 0;
};

// Screen helpers shared with the listing driver: append, length and caret of the screen.
void ScreenAppend(ListingContext& ctx, const QString& text);
qsizetype ScreenLength(const ListingContext& ctx);
// Sends what a sink still holds back (nothing for the output box).
void ScreenFlushHeld(ListingContext& ctx);
// Writes the gathered file bytes; false (and fileFailed) when the file refused them.
bool FlushFileBytes(ListingContext& ctx);

// Computes the widths for the format in force and emits the header (DisplayNextLine 0).
void SetColumnWidths(ListingContext& ctx, QString& strOutput);
// Builds the line of entry lngI (0 = header) and delivers it: to the file, to strOutput,
// or (the header) straight to the screen; on screen the twirler turns.
void DisplayNextLine(ListingContext& ctx, qint32 lngI, QString& strOutput);

// The screen phase from the lines the file phase kept (`fileCtx`), when the screen's lines
// are the file's bytes with plain line breaks: the header, then the kept lines to
// screenLineBytes in pieces, with the same stop test between pieces.
ListingEnd ReplayFileLines(ListingContext& ctx, const ListingContext& fileCtx);

ListingEnd ListWordsAlphabetically(ListingContext& ctx);
ListingEnd ListWordsByFrequency(ListingContext& ctx);

// The text shown when no word is listed, and showing it in the output box.
QString NoWordsListedText(const RunState& run);
void ShowNoWordsListed(RunState& run);

}  // namespace lxt

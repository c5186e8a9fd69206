#include "results/word_listing.h"

#include <QIODevice>
#include <new>

#include "run/event_pump.h"
#include "run/report_error.h"
#include "run/run_state.h"
#include "run/word_table.h"
#include "support/error_numbers.h"
#include "support/text_literals.h"
#include "support/ui.h"

namespace lxt {

namespace {

// Encoded file bytes are handed to the file in pieces of about this size.
constexpr qsizetype kFileChunk = 1 << 18;
// A sink without the output box's limit takes the lines in pieces of about this many
// characters.
constexpr qsizetype kSinkPiece = 1 << 15;

// Error number and description of a lack of memory in a listing.
const QString kOutOfMemory = QStringLiteral("Out of memory");

const QString kAlphabeticalA = QStringLiteral("ListWordsAlphabetically A");
const QString kAlphabeticalB = QStringLiteral("ListWordsAlphabetically B");
const QString kAlphabeticalC = QStringLiteral("ListWordsAlphabetically C");
const QString kByFrequencyA = QStringLiteral("ListWordsByFrequency A");
const QString kByFrequencyB = QStringLiteral("ListWordsByFrequency B");
const QString kByFrequencyC = QStringLiteral("ListWordsByFrequency C");

const QString kNoWordsFound = QStringLiteral("No words satisfying the conditions were found.");
const QString kNoWordsAtLeast = QStringLiteral("No words with more than 2 letters occur at least ");

void BlankTwirler(RunState& run) {
    run.ui.SetLabel(UiLabel::Twirler, QString::fromUtf16(kBlankTwirler));
}

// The arrows of the twirler as texts, made once.
const QString& TwirlerArrow(qint32 i) {
    static const QString arrows[4] = {
        QString(QChar(kTwirlerArrows[0])), QString(QChar(kTwirlerArrows[1])),
        QString(QChar(kTwirlerArrows[2])), QString(QChar(kTwirlerArrows[3]))};
    return arrows[i % 4];
}

// True when adding `pending` to the screen would pass the output box's limit.
bool WouldOverflow(const ListingContext& ctx, const QString& pending) {
    if (ctx.blnWritingOutputFile || !ctx.target.limitOutputBox) return false;
    return ScreenLength(ctx) + pending.size() > kMaxTextLength;
}

void CaretToStart(ListingContext& ctx) {
    if (!ctx.target.screenSink) ctx.run.ui.OutputCaretToStart();
}

// The report of a full output box: the listing ends, the lines shown stay.
void ReportBoxFull(ListingContext& ctx, const QString& procedure) {
    ReportError(ctx.run, kErrOutputBoxFull, QString(), procedure);
    BlankTwirler(ctx.run);
    CaretToStart(ctx);
}

// True when the lines gathered are to go to the screen now: kLinesPerBatch at a time, or
// in large pieces for a sink that the box's limit does not bind.
bool BatchDue(const ListingContext& ctx, qint32 count, const QString& strOutput) {
    if (ctx.target.screenSink && !ctx.target.limitOutputBox) {
        return strOutput.size() >= kSinkPiece;
    }
    return count % kLinesPerBatch == 0;
}

// Adds a batch of lines to the screen unless the box would pass its limit.
bool AddBatch(ListingContext& ctx, QString& strOutput, const QString& procedure) {
    if (WouldOverflow(ctx, strOutput)) {
        ReportBoxFull(ctx, procedure);
        return false;
    }
    if (!strOutput.isEmpty()) ScreenAppend(ctx, strOutput);
    CaretToStart(ctx);
    strOutput.resize(0);  // the buffer stays for the next batch
    return true;
}

// Fetches memory that a later line will read, without waiting for it.
inline void FetchAhead(const void* address) {
#if defined(__GNUC__)
    __builtin_prefetch(address);
#else
    (void)address;
#endif
}

// The entries of the frequency order lie anywhere in the table: while the line of
// `current` is built, the next word's characters and the entry after it are fetched.
void FetchAheadOfFrequencyOrder(const WordTable& table, qint32 current) {
    const WordEntry& next = table[table[current].next];
    FetchAhead(next.units);
    FetchAhead(&table[next.next]);
}

// How many entries ahead the alphabetical listing fetches a word's characters.
constexpr qint32 kFetchDistance = 8;

struct ProcedureNames {
    const QString& a;
    const QString& b;
    const QString& c;
};

// The common frame of the two listings: header, the entries chosen by `next`, the batches,
// the stop test and the final batch. `next(step)` gives the entry of step 1, 2, ... or 0
// when there is none; `listed(entry)` tells whether that entry is listed.
template <typename Next, typename Listed>
ListingEnd RunListing(ListingContext& ctx, const ProcedureNames& names, bool yieldPerEntry,
                      Next next, Listed listed) {
    RunState& run = ctx.run;
    QString strOutput;
    try {
        SetColumnWidths(ctx, strOutput);
        qint32 count = 0;
        for (qint32 step = 1;; ++step) {
            const qint32 i = next(step);
            if (i == 0) break;
            const bool isListed = listed(i);
            if (isListed) {
                DisplayNextLine(ctx, i, strOutput);
                ++count;
                if (ctx.fileFailed) return ListingEnd::FileFailed;
                if (BatchDue(ctx, count, strOutput) && !AddBatch(ctx, strOutput, names.a)) {
                    return ListingEnd::OutputBoxFull;
                }
            }
            if (isListed || yieldPerEntry) {
                run.eventPump.Pump(run.ui);
                if (run.blnStop) break;
            }
        }
        if (!strOutput.isEmpty()) {
            if (WouldOverflow(ctx, strOutput)) {
                ReportBoxFull(ctx, names.b);
                return ListingEnd::OutputBoxFull;
            }
            ScreenAppend(ctx, strOutput);
        }
        CaretToStart(ctx);
        if (ctx.blnWritingOutputFile && !FlushFileBytes(ctx)) return ListingEnd::FileFailed;
        return run.blnStop ? ListingEnd::Stopped : ListingEnd::Completed;
    } catch (const std::bad_alloc&) {
        BlankTwirler(run);
        ReportError(run, kErrOutOfMemory, kOutOfMemory, names.c);
        CaretToStart(ctx);
        return ListingEnd::Failed;
    }
}

}  // namespace

void ScreenAppend(ListingContext& ctx, const QString& text) {
    if (!ctx.target.screenSink) {
        ctx.run.ui.OutputAppend(text);
        return;
    }
    ctx.sinkLength += text.size();
    QString piece = ctx.sinkHeld.isEmpty() ? text : ctx.sinkHeld + text;
    ctx.sinkHeld.clear();
    const QString separator = QString::fromUtf16(kWordSeparator);
    if (piece.endsWith(separator)) {
        piece.chop(separator.size());
        ctx.sinkHeld = separator;
    }
    if (!piece.isEmpty()) ctx.target.screenSink(piece);
}

qsizetype ScreenLength(const ListingContext& ctx) {
    return ctx.target.screenSink ? ctx.sinkLength : ctx.run.ui.OutputLength();
}

void ScreenFlushHeld(ListingContext& ctx) {
    if (!ctx.target.screenSink || ctx.sinkHeld.isEmpty()) return;
    const QString held = ctx.sinkHeld;
    ctx.sinkHeld.clear();
    ctx.target.screenSink(held);
}

bool FlushFileBytes(ListingContext& ctx) {
    if (ctx.fileFailed) return false;
    if (ctx.file == nullptr || ctx.fileBytes.isEmpty()) return true;
    if (ctx.file->write(ctx.fileBytes) != ctx.fileBytes.size()) {
        ctx.fileFailed = true;
        return false;
    }
    ctx.fileBytes.resize(0);  // the buffer stays for the next bytes
    return true;
}

void SetColumnWidths(ListingContext& ctx, QString& strOutput) {
    const bool commas = ctx.blnWritingOutputFile && ctx.run.settings.chkOutputWithCommas != 0;
    ctx.style = ColumnWidthsFor(ctx.run, DisplayFormatOf(ctx.run), commas);
    DisplayNextLine(ctx, 0, strOutput);
}

void DisplayNextLine(ListingContext& ctx, qint32 lngI, QString& strOutput) {
    const int format = ctx.style.format;
    if (lngI == 0 && format == kFormatWordsWithCommas) return;  // format 9 has no header
    if (ctx.blnWritingOutputFile) {
        // The line is encoded straight into the file's pending bytes.
        AppendLineBytes(ctx.fileBytes, ctx.run, lngI, ctx.style, ctx.fileUtf8);
        if (format == kFormatWordsWithCommas) {
            ++ctx.wordsDelivered;
            if (ctx.wordsDelivered < ctx.run.lngNumWordsIncluded) {
                AppendTextBytes(ctx.fileBytes, kWordSeparator, ctx.fileUtf8);
            }
        } else {
            AppendTextBytes(ctx.fileBytes, kCrLf, ctx.fileUtf8);
        }
        if (ctx.fileBytes.size() >= kFileChunk) FlushFileBytes(ctx);
        return;
    }
    if (lngI == 0) {
        QString line = BuildLine(ctx.run, lngI, ctx.style);
        line += kCrLf;
        ScreenAppend(ctx, line);
    } else {
        AppendLine(strOutput, ctx.run, lngI, ctx.style);
        if (format == kFormatWordsWithCommas) {
            strOutput.append(QStringView(kWordSeparator));
        } else {
            strOutput += kCrLf;
        }
    }
    ctx.run.ui.SetLabel(UiLabel::Twirler, TwirlerArrow(lngI));
}

ListingEnd ListWordsAlphabetically(ListingContext& ctx) {
    RunState& run = ctx.run;
    const qint32 last = run.lngNumWords;
    return RunListing(
        ctx, {kAlphabeticalA, kAlphabeticalB, kAlphabeticalC}, true,
        [last, &run](qint32 step) {
            if (step + kFetchDistance <= last) {
                FetchAhead(run.WordTable[step + kFetchDistance].units);
            }
            return step <= last ? step : 0;
        },
        [&run](qint32 i) { return run.WordTable[i].included; });
}

ListingEnd ListWordsByFrequency(ListingContext& ctx) {
    RunState& run = ctx.run;
    qint32 current = 0;
    const ListingEnd end = RunListing(
        ctx, {kByFrequencyA, kByFrequencyB, kByFrequencyC}, false,
        [&run, &current](qint32 step) {
            if (step > run.lngNumWordsIncluded) return 0;
            current =
                step == 1 ? run.lngFirstFreq : (current == 0 ? 0 : run.WordTable[current].next);
            if (current != 0) FetchAheadOfFrequencyOrder(run.WordTable, current);
            return current;
        },
        [](qint32) { return true; });
    if (end == ListingEnd::Completed || end == ListingEnd::Stopped) BlankTwirler(run);
    return end;
}

QString NoWordsListedText(const RunState& run) {
    if (run.lngNumWords == 0) return kNoWordsFound;
    QString text = kNoWordsAtLeast;
    if (run.settings.chkIgnoreInfrequentWords != 0) {
        if (run.intThresholdFrequency == 2) {
            text += QStringLiteral("twice.");
        } else {
            text += QString::number(run.intThresholdFrequency) + QStringLiteral(" times.");
        }
    } else {
        text += QStringLiteral("once.");
    }
    return text;
}

void ShowNoWordsListed(RunState& run) {
    run.ui.OutputReplace(NoWordsListedText(run));
}

}  // namespace lxt

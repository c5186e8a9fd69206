#include "results/word_listing.h"

#include <QIODevice>
#include <cstring>
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

// The line break of lines handed over as bytes.
constexpr char16_t kPlainLineBreak[] = u"\n";

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

// True when the screen phase's lines go to the sink as bytes: UTF-8 with plain line breaks.
bool LinesAsBytes(const ListingContext& ctx) {
    return !ctx.blnWritingOutputFile && ctx.target.screenLineBytes && !ctx.target.limitOutputBox &&
           ctx.style.format != kFormatWordsWithCommas;
}

// Hands the lines gathered as bytes to the sink.
void SendLineBytes(ListingContext& ctx) {
    if (ctx.screenBytes.isEmpty()) return;
    ctx.sinkLength += ctx.screenBytes.size();
    ctx.target.screenLineBytes(ctx.screenBytes);
    ctx.screenBytes.resize(0);  // the buffer stays for the next lines
}

// True when the lines gathered are to go to the screen now: kLinesPerBatch at a time, or
// in large pieces for a sink that the box's limit does not bind.
bool BatchDue(const ListingContext& ctx, qint32 count, const QString& strOutput) {
    if (LinesAsBytes(ctx)) return ctx.screenBytes.size() >= kSinkPiece;
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
    SendLineBytes(ctx);
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

// How many entries ahead the listings fetch a word's characters.
constexpr qint32 kFetchDistance = 8;

// The entries of the frequency order lie anywhere in the table, and their words anywhere in
// memory: a second walk along the order runs kFetchDistance entries ahead of the listing and
// fetches each word's characters and the entry after it.
class FrequencyOrderFetcher {
  public:
    explicit FrequencyOrderFetcher(const WordTable& table) : table_(table) {}
    // Called with each listed entry in turn, from the first.
    void Listing(qint32 current, qint32 step) {
        if (step == 1) {
            ahead_ = current;
            for (qint32 k = 0; k < kFetchDistance && ahead_ != 0; ++k) Advance();
        } else if (ahead_ != 0) {
            Advance();
        }
    }

  private:
    void Advance() {
        ahead_ = table_[ahead_].next;
        if (ahead_ == 0) return;
        const WordEntry& e = table_[ahead_];
        FetchAhead(e.units);
        FetchAhead(&table_[e.next]);
    }
    const WordTable& table_;
    qint32 ahead_ = 0;
};

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
        SendLineBytes(ctx);
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
    if (ctx.keepFileLines) {
        ctx.keptFileBytes.push_back(std::move(ctx.fileBytes));
        ctx.fileBytes = QByteArray();
        ctx.fileBytes.reserve(kFileChunk + kFileChunk / 4);  // grown once, not line by line
        return true;
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
        // The line and what follows it are encoded straight into the file's pending bytes.
        QStringView lineEnd = kCrLf;
        if (format == kFormatWordsWithCommas) {
            ++ctx.wordsDelivered;
            lineEnd = ctx.wordsDelivered < ctx.run.lngNumWordsIncluded ? QStringView(kWordSeparator)
                                                                       : QStringView();
        }
        AppendLineBytes(ctx.fileBytes, ctx.run, lngI, ctx.style, ctx.fileUtf8, lineEnd);
        if (lngI == 0 && ctx.keepFileLines && ctx.keptFileBytes.empty()) {
            ctx.keptLinesStart = ctx.fileBytes.size();
        }
        if (ctx.fileBytes.size() >= kFileChunk) FlushFileBytes(ctx);
        return;
    }
    if (lngI == 0) {
        QString line = BuildLine(ctx.run, lngI, ctx.style);
        line += kCrLf;
        ScreenAppend(ctx, line);
    } else if (LinesAsBytes(ctx)) {
        AppendLineBytes(ctx.screenBytes, ctx.run, lngI, ctx.style, true, kPlainLineBreak);
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

namespace {

// Copies the bytes from `begin` to `end` to `out` but for each CR that a LF follows, and gives
// the number of bytes copied. Eight bytes at a time where they hold no CR.
qsizetype WithoutCrBeforeLf(const char* begin, const char* end, char* out) {
    constexpr quint64 kOnes = 0x0101010101010101u;
    constexpr quint64 kHighs = 0x8080808080808080u;
    constexpr quint64 kCrs = kOnes * '\r';
    char* const start = out;
    const char* in = begin;
    while (in < end) {
        if (end - in >= 8) {
            quint64 block;
            std::memcpy(&block, in, sizeof block);
            const quint64 x = block ^ kCrs;  // a zero byte where a CR is
            if (((x - kOnes) & ~x & kHighs) == 0) {
                std::memcpy(out, in, sizeof block);
                out += 8;
                in += 8;
                continue;
            }
        }
        if (!(*in == '\r' && in + 1 < end && in[1] == '\n')) *out++ = *in;
        ++in;
    }
    return out - start;
}

}  // namespace

ListingEnd ReplayFileLines(ListingContext& ctx, const ListingContext& fileCtx) {
    RunState& run = ctx.run;
    QString header;
    SetColumnWidths(ctx, header);
    for (size_t c = 0; c < fileCtx.keptFileBytes.size() && !run.blnStop; ++c) {
        const QByteArray& bytes = fileCtx.keptFileBytes[c];
        const char* at = bytes.constData() + (c == 0 ? fileCtx.keptLinesStart : 0);
        const char* const end = bytes.constData() + bytes.size();
        while (at < end && !run.blnStop) {
            // A piece of whole lines, its CR LF line breaks made plain.
            const char* stop = end;
            if (end - at > kSinkPiece) {
                const void* lf = std::memchr(at + kSinkPiece, '\n', size_t(end - at - kSinkPiece));
                stop = lf != nullptr ? static_cast<const char*>(lf) + 1 : end;
            }
            ctx.screenBytes.resize(stop - at);
            const qsizetype kept = WithoutCrBeforeLf(at, stop, ctx.screenBytes.data());
            ctx.screenBytes.truncate(kept);
            SendLineBytes(ctx);
            at = stop;
            run.eventPump.Pump(run.ui);
        }
    }
    CaretToStart(ctx);
    if (run.settings.cboWordOrder != kWordOrderAlphabetical) BlankTwirler(run);
    return run.blnStop ? ListingEnd::Stopped : ListingEnd::Completed;
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
    FrequencyOrderFetcher fetcher(run.WordTable);
    const ListingEnd end = RunListing(
        ctx, {kByFrequencyA, kByFrequencyB, kByFrequencyC}, false,
        [&run, &current, &fetcher](qint32 step) {
            if (step > run.lngNumWordsIncluded) return 0;
            current =
                step == 1 ? run.lngFirstFreq : (current == 0 ? 0 : run.WordTable[current].next);
            if (current != 0) fetcher.Listing(current, step);
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

#include "input/docx_text_runs.h"

#include <cstring>

#include "run/progress_bar.h"
#include "run/run_state.h"
#include "support/str_proc.h"
#include "support/ui.h"
#include "support/utf8.h"

namespace lxt {

namespace {

// The tags are looked for in the bytes: in UTF-8 an ASCII byte is always that character,
// and a byte from 0x80 on is never part of one.
constexpr char kStart[] = "<w:t";
constexpr char kEnd[] = "</w:t>";
constexpr char kBreak[] = "<w:br/>";
constexpr char kParaEnd[] = "</w:p>";

template <qsizetype N>
constexpr qsizetype LengthOf(const char (&)[N]) {
    return N - 1;
}

bool IsBlank(QByteArrayView text) {
    for (const char c : text) {
        if (c != ' ') return false;
    }
    return true;
}

bool IsAscii(const char* begin, const char* end) {
    unsigned char all = 0;
    for (const char* p = begin; p < end; ++p) all |= static_cast<unsigned char>(*p);
    return all < 0x80;
}

// The stop test before each text run. True when the scan is to end.
bool StopRequested(RunState& run) {
    if (!run.blnStop) return false;
    if (run.lngSecondsElapsed < kQuietStopSeconds) return true;
    const MsgResult answer = run.ui.MsgBox(
        QStringLiteral("Many different words have been found.\r\nDo you really wish to stop?"),
        QLatin1String(kDocxStopTitle), MsgButtons::YesNo, MsgIcon::None);
    if (answer == MsgResult::Yes) return true;
    run.blnStop = false;
    run.blnElapsedTimeRunning = true;
    run.ui.SetElapsedTimerEnabled(true);
    return false;
}

// True when `text` holds `part` at `at`.
template <qsizetype N>
bool HasAt(QByteArrayView text, qsizetype at, const char (&part)[N]) {
    return at >= 0 && text.size() - at >= N - 1 && std::memcmp(text.data() + at, part, N - 1) == 0;
}

// The first `c` at or after `from` in text, or -1. In a document tags and entities stand
// close together, so the next few bytes are looked at before the fast search is called.
qsizetype IndexOfNear(QByteArrayView text, char c, qsizetype from) {
    const char* d = text.data();
    const qsizetype n = text.size();
    const qsizetype near = qMin(n, from + 16);
    for (qsizetype at = qMax<qsizetype>(from, 0); at < near; ++at) {
        if (d[at] == c) return at;
    }
    if (near >= n) return -1;
    const void* found = std::memchr(d + near, c, static_cast<size_t>(n - near));
    return found != nullptr ? static_cast<const char*>(found) - d : -1;
}

qsizetype NextTagStart(QByteArrayView text, qsizetype from) {
    return IndexOfNear(text, '<', from);
}

// The first place at or after `from` where `tag` (which begins with "<") stands in the
// text, or -1. Each "<" is found by a fast search and the rest compared there.
template <qsizetype N>
qsizetype FindTag(QByteArrayView text, const char (&tag)[N], qsizetype from) {
    for (qsizetype at = NextTagStart(text, from); at >= 0; at = NextTagStart(text, at + 1)) {
        if (HasAt(text, at, tag)) return at;
    }
    return -1;
}

// The next text run after a run's end tag, and what stands between them.
struct NextRun {
    qsizetype start = -1;      // the next "<w:t" at or after the end tag, or -1
    qsizetype end = -1;        // the first "</w:t>" before it, or -1
    bool breakBefore = false;  // a line break or a paragraph end stands before it
};

// Looks at each tag from `from` up to the next "<w:t", once.
NextRun FindNextRun(QByteArrayView text, qsizetype from) {
    NextRun next;
    for (qsizetype at = NextTagStart(text, from); at >= 0; at = NextTagStart(text, at + 1)) {
        if (HasAt(text, at, kStart)) {
            next.start = at;
            return next;
        }
        if (next.end < 0 && HasAt(text, at, kEnd)) {
            next.end = at;
        } else if (HasAt(text, at, kBreak) || HasAt(text, at, kParaEnd)) {
            next.breakBefore = true;
        }
    }
    next.breakBefore = false;  // no further run: the last run gets no blank
    return next;
}

struct Entity {
    const char* name;  // without the "&"
    qsizetype length;
    char character;
};
constexpr char kAmp[] = "amp;";
constexpr Entity kOtherEntities[] = {
    {"lt;", 3, '<'}, {"gt;", 3, '>'}, {"quot;", 5, '"'}, {"apos;", 5, '\''}};

// The entity among kOtherEntities whose name starts at `at`, or null.
const Entity* OtherEntityAt(QByteArrayView text, qsizetype at) {
    for (const Entity& entity : kOtherEntities) {
        if (text.size() - at >= entity.length &&
            std::memcmp(text.data() + at, entity.name, entity.length) == 0) {
            return &entity;
        }
    }
    return nullptr;
}

// Writes the content with the five entities of a text run decoded, in one pass, to `out`,
// which has room for the content; returns the end of what was written. "&amp;" becomes "&"
// first, so that an "&amp;" before the name of another entity ("&amp;lt;") gives that
// entity's character. Each entity leaves one ASCII character, so no two bytes from 0x80 on
// come together that stood apart.
char* WriteDecoded(QByteArrayView content, char* out) {
    const char* d = content.data();
    const qsizetype n = content.size();
    for (qsizetype i = 0; i < n;) {
        if (d[i] != '&') {
            // The bytes up to the next "&" go over at once.
            qsizetype next = IndexOfNear(content, '&', i);
            if (next < 0) next = n;
            std::memcpy(out, d + i, static_cast<size_t>(next - i));
            out += next - i;
            i = next;
            continue;
        }
        if (HasAt(content, i + 1, kAmp)) {
            const qsizetype after = i + 1 + LengthOf(kAmp);
            if (const Entity* entity = OtherEntityAt(content, after)) {
                *out++ = entity->character;
                i = after + entity->length;
            } else {
                *out++ = '&';
                i = after;
            }
        } else if (const Entity* entity = OtherEntityAt(content, i + 1)) {
            *out++ = entity->character;
            i += 1 + entity->length;
        } else {
            *out++ = d[i++];
        }
    }
    return out;
}

// Appends the piece of a text run's tag and content to `text`, with a blank after it when
// `blankAfter` is set; `wide` is room for the repairs. No entity name holds a blank and the
// repairs go character by character, so the blank is added after the decoding: it is the
// same as decoding the content and blank. The bytes of the content are bounded by ASCII
// characters ("<", ">"), where a byte sequence that is not UTF-8 ends, so decoding them on
// their own gives the characters that decoding the whole document gives there.
void AppendPiece(QByteArrayView tagAndContent, bool blankAfter, QByteArray& text, QString& wide) {
    const qsizetype close = IndexOfNear(tagAndContent, '>', 0);
    const QByteArrayView content = close >= 0 ? tagAndContent.sliced(close + 1) : tagAndContent;
    if (IsBlank(content)) {
        text += ' ';
        return;
    }
    const qsizetype start = text.size();
    text.resize(start + content.size() + 1);
    char* const begin = text.data() + start;
    char* end = WriteDecoded(content, begin);
    if (blankAfter) *end++ = ' ';
    // Both repairs change only characters from U+0080 on; a piece of ASCII stays as it is.
    const bool ascii = IsAscii(begin, end);
    text.truncate(end - text.constData());
    if (ascii) return;
    wide.resize(0);
    AppendUtf8(QByteArrayView(text).sliced(start), wide);
    RepairDecodedPairs(wide);
    RepairDecodedPunctuation(wide);
    text.truncate(start);
    text += wide.toUtf8();
}

}  // namespace

QByteArray TextRunPiece(QByteArrayView tagAndContent) {
    QByteArray piece;
    QString wide;
    AppendPiece(tagAndContent, false, piece, wide);
    return piece;
}

qint32 ScanTextRuns(RunState& run, QByteArrayView xml, TextRunPieces& pieces, qint64& total,
                    bool showProgress) {
    const qsizetype n = xml.size();
    qsizetype a = 0;
    qint32 i = 0;
    const bool textBoxDisplay = showProgress && total > kTextBoxDisplaySize;
    const bool barDisplay = n > kBarDisplayLength;
    int barShown = -1;
    total = 0;
    QString wide;
    qsizetype s = -1;  // the next "<w:t" at or after a, when not before a
    qsizetype f = -1;  // the next "</w:t>" at or after a, likewise
    // No "</w:t>" stands from a up to here: the tags up to the next run were looked at.
    qsizetype endFreeUntil = 0;
    while (a < n) {
        if (s < a) s = FindTag(xml, kStart, a);
        if (s < 0) return i;
        run.eventPump.Pump(run.ui);
        if (StopRequested(run)) return 0;
        if (f < a) f = FindTag(xml, kEnd, qMax(a, endFreeUntil));
        if (f < 0 || f < s) return i;
        const qsizetype afterName = s + LengthOf(kStart);
        const char next = afterName < n ? xml[afterName] : '\0';
        if (next != ' ' && next != '>') {
            // Another element whose name begins with w:t (w:tab, w:tbl, w:tc).
            a = afterName;
            continue;
        }
        if (f <= afterName) {
            a = f + LengthOf(kEnd);
            continue;
        }
        const QByteArrayView raw = xml.sliced(afterName, f - afterName);
        const qsizetype after = f + LengthOf(kEnd);
        const NextRun nextRun = FindNextRun(xml, after);
        s = nextRun.start;
        if (nextRun.end >= 0) {
            f = nextRun.end;
        } else if (s >= 0) {
            endFreeUntil = s;
        }
        const qsizetype start = pieces.text.size();
        AppendPiece(raw, nextRun.breakBefore, pieces.text, wide);
        const qsizetype length = pieces.text.size() - start;
        total += length;
        ++i;
        if (textBoxDisplay && length > 0 && i % kPieceDisplayStep == 0) {
            if (i % kPieceClearStep == 0) run.ui.OutputReplace(QString());
            run.ui.OutputAppend(DecodeUtf8(QByteArrayView(pieces.text).sliced(start)) +
                                QStringLiteral("\r\n"));
        }
        pieces.PieceEnded(start);
        if (barDisplay) {
            const int h = ProgressBarPosition(a + 1, n);
            if (h != barShown) barShown = UpdateProgressBar(run, a + 1, n, 0);
        }
        a = after;
    }
    return i;
}

}  // namespace lxt

#include "input/docx_text_runs.h"

#include <cstring>

#include "input/utf8_detection.h"
#include "run/progress_bar.h"
#include "run/run_state.h"
#include "support/str_proc.h"
#include "support/ui.h"
#include "support/utf8.h"

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace lxt {

namespace {

// The tags are looked for in the bytes: in UTF-8 an ASCII byte is always that character,
// and a byte from 0x80 on is never part of one.
constexpr char kStart[] = "<w:t";
constexpr char kEnd[] = "</w:t>";
constexpr char kBreak[] = "<w:br/>";
constexpr char kParaEnd[] = "</w:p>";

// Bytes looked at in one step.
constexpr qsizetype kChunk = 16;
// Beyond this many bytes a search goes on with the C library's.
constexpr qsizetype kNear = 8 * kChunk;

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

// The stop test before each text run. True when the scan is to end.
bool StopRequested(RunState& run) {
    if (!run.blnStop) return false;
    if (run.ui.SecondsElapsed() < kQuietStopSeconds) return true;
    const MsgResult answer = run.ui.MsgBox(
        QStringLiteral("Many different words have been found.\r\nDo you really wish to stop?"),
        QLatin1String(kDocxStopTitle), MsgButtons::YesNo, MsgIcon::None);
    if (answer == MsgResult::Yes) return true;
    run.blnStop = false;
    run.ui.ResumeElapsedTime();
    run.ui.SetElapsedTimerEnabled(true);
    return false;
}

// True when `text` holds `part` at `at`.
template <qsizetype N>
bool HasAt(QByteArrayView text, qsizetype at, const char (&part)[N]) {
    return at >= 0 && text.size() - at >= N - 1 && std::memcmp(text.data() + at, part, N - 1) == 0;
}

#ifdef __SSE2__
__m128i Load(const char* p) {
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
}

// Bit k set when byte k of the chunk is `wanted`.
quint32 MatchesOf(__m128i chunk, __m128i wanted) {
    return static_cast<quint32>(_mm_movemask_epi8(_mm_cmpeq_epi8(chunk, wanted)));
}
#endif

// The first `c` at or after `from` in text, or -1. In a document tags and entities stand
// close together, so the next few chunks are looked at before the C library's search.
qsizetype IndexOfByte(QByteArrayView text, char c, qsizetype from) {
    const char* d = text.data();
    const qsizetype n = text.size();
    qsizetype at = qMax<qsizetype>(from, 0);
    const qsizetype near = qMin(n, at + kNear);
#ifdef __SSE2__
    const __m128i wanted = _mm_set1_epi8(c);
    for (; at + kChunk <= near; at += kChunk) {
        const quint32 matches = MatchesOf(Load(d + at), wanted);
        if (matches != 0) return at + qCountTrailingZeroBits(matches);
    }
#endif
    for (; at < near; ++at) {
        if (d[at] == c) return at;
    }
    if (at >= n) return -1;
    const void* found = std::memchr(d + at, c, static_cast<size_t>(n - at));
    return found != nullptr ? static_cast<const char*>(found) - d : -1;
}

qsizetype NextTagStart(QByteArrayView text, qsizetype from) {
    return IndexOfByte(text, '<', from);
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

// What a tag at a "<" is to the scan.
enum class Tag { Other, RunStart, RunEnd, Break };

Tag TagAt(QByteArrayView text, qsizetype at) {
    if (text.size() - at < 2) return Tag::Other;
    // The tags the scan looks for all begin with "<w:" or "</".
    if (text[at + 1] == 'w') {
        if (HasAt(text, at, kStart)) return Tag::RunStart;
        if (HasAt(text, at, kBreak)) return Tag::Break;
    } else if (text[at + 1] == '/') {
        if (HasAt(text, at, kEnd)) return Tag::RunEnd;
        if (HasAt(text, at, kParaEnd)) return Tag::Break;
    }
    return Tag::Other;
}

// Looks at each tag from `from` up to the next "<w:t", once.
NextRun FindNextRun(QByteArrayView text, qsizetype from) {
    NextRun next;
    for (qsizetype at = NextTagStart(text, from); at >= 0; at = NextTagStart(text, at + 1)) {
        switch (TagAt(text, at)) {
            case Tag::RunStart:
                next.start = at;
                return next;
            case Tag::RunEnd:
                if (next.end < 0) next.end = at;
                break;
            case Tag::Break:
                next.breakBefore = true;
                break;
            case Tag::Other:
                break;
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

// Copies the bytes of the content from `i` up to the next "&" (or its end) to `out`;
// returns where it stopped and moves `out` on. `out` may lie in the content itself, at or
// before the byte read: a byte is never written past one not yet read. `high` gathers the
// bytes copied, to tell whether one was from 0x80 on.
qsizetype CopyUpToAmpersand(QByteArrayView content, qsizetype i, char*& out, unsigned& high) {
    const char* d = content.data();
    const qsizetype n = content.size();
#ifdef __SSE2__
    const __m128i ampersand = _mm_set1_epi8('&');
    for (; i + kChunk <= n; i += kChunk) {
        const __m128i chunk = Load(d + i);
        if (_mm_movemask_epi8(chunk) != 0) high |= 0x80;
        const quint32 matches = MatchesOf(chunk, ampersand);
        if (matches != 0) {
            // Only the bytes before the "&" are kept; those after it are still to be read.
            // The whole chunk is written when that passes no byte still to be read: the
            // writing lags far enough behind, or goes to another buffer (there the
            // difference is of no meaning, and at worst the bytes go one by one).
            const qsizetype stop = i + qCountTrailingZeroBits(matches);
            const quintptr lag =
                reinterpret_cast<quintptr>(d + i) - reinterpret_cast<quintptr>(out);
            if (lag >= quintptr(kChunk)) {
                _mm_storeu_si128(reinterpret_cast<__m128i*>(out), chunk);
                out += stop - i;
                return stop;
            }
            for (; i < stop; ++i) *out++ = d[i];
            return i;
        }
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out), chunk);
        out += kChunk;
    }
#endif
    for (; i < n && d[i] != '&'; ++i) {
        high |= static_cast<unsigned char>(d[i]);
        *out++ = d[i];
    }
    return i;
}

// Writes the content with the five entities of a text run decoded, in one pass, to `out`
// (which may be the content's own bytes, or any before them); returns the end of what was
// written.
// "&amp;" becomes "&" first, so that an "&amp;" before the name of another entity
// ("&amp;lt;") gives that entity's character. Each entity leaves one ASCII character, so no
// two bytes from 0x80 on come together that stood apart. `ascii` tells whether every byte
// written is below 0x80.
char* WriteDecoded(QByteArrayView content, char* out, bool& ascii) {
    const char* d = content.data();
    const qsizetype n = content.size();
    unsigned high = 0;
    qsizetype i = 0;
    for (;;) {
        i = CopyUpToAmpersand(content, i, out, high);
        if (i >= n) break;
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
    ascii = (high & 0x80) == 0;
    return out;
}

// The end of the pieces' text, where the scan writes. The text is written over the document
// itself, behind the reading of it: each piece is never longer than the bytes it was cut
// from, its tags included, unless the repairs make it longer. When a piece would pass the
// first byte not yet read, the text written so far moves into a text of its own, which
// takes the rest. What was not written is cut off when the scan ends.
class TextEnd {
  public:
    // Writes over the document in `text`, from its start.
    explicit TextEnd(QByteArray& text) : text_(text), at_(text.data()) {}
    ~TextEnd() {
        if (inPlace_) {
            text_.truncate(used_);
        } else {
            own_.truncate(used_);
            text_ = std::move(own_);
        }
    }
    TextEnd(const TextEnd&) = delete;
    TextEnd& operator=(const TextEnd&) = delete;

    // Room for `bytes` bytes that are not to pass `unread`, the first byte of the document
    // not yet read.
    char* Room(qsizetype bytes, qsizetype unread) {
        if (inPlace_) {
            if (used_ + bytes <= unread) return at_ + used_;
            // The rest of the document is about as long as the text still to come.
            own_.resize(used_ + bytes + (text_.size() - unread) + kChunk);
            std::memcpy(own_.data(), at_, static_cast<size_t>(used_));
            at_ = own_.data();
            inPlace_ = false;
        }
        // A chunk more, which the copying may write past the bytes it keeps.
        if (own_.size() - used_ < bytes + kChunk) {
            own_.resize(used_ + bytes + kChunk + own_.size() / 2);
            at_ = own_.data();
        }
        return at_ + used_;
    }
    // The bytes up to `end` (in the room given) are written.
    void WrittenTo(const char* end) { used_ = end - at_; }
    qsizetype Size() const { return used_; }
    QByteArrayView Since(qsizetype start) const {
        return QByteArrayView(at_ + start, used_ - start);
    }

  private:
    QByteArray& text_;
    QByteArray own_;
    char* at_;
    qsizetype used_ = 0;
    bool inPlace_ = true;
};

// Whether the repairs of UTF-8 leave the bytes as they are: they are well-formed UTF-8, so
// that decoding and encoding them again gives the same bytes, and they hold no character
// the repairs change (a C1 control U+0080 to U+009F, "č" U+010D, punctuation U+2010 to
// U+203A).
bool RepairsLeaveAlone(QByteArrayView bytes) {
    Utf8Checker checker;
    checker.Feed(bytes);
    if (checker.Finish() == Utf8Verdict::Invalid) return false;
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const qsizetype n = bytes.size();
    // In well-formed UTF-8 these bytes are lead bytes, each followed by its sequence.
    for (qsizetype i = 0; i + 1 < n; ++i) {
        if ((p[i] == 0xC2 && p[i + 1] <= 0x9F) || (p[i] == 0xC4 && p[i + 1] == 0x8D) ||
            (p[i] == 0xE2 && p[i + 1] == 0x80 && i + 2 < n && p[i + 2] >= 0x90 &&
             p[i + 2] <= 0xBA)) {
            return false;
        }
    }
    return true;
}

// Writes the piece of the text run whose tag and content lie from `from` to `to` in the
// document at the end of the text, with a blank after it when `blankAfter` is set; `unread`
// is the first byte of the document not yet read, and `wide` room for the repairs. No
// entity name holds a blank and the repairs go character by character, so the blank is
// added after the decoding: it is the same as decoding the content and blank. The bytes of
// the content are bounded by ASCII characters ("<", ">"), where a byte sequence that is not
// UTF-8 ends, so decoding them on their own gives the characters that decoding the whole
// document gives there.
void WritePiece(QByteArrayView xml, qsizetype from, qsizetype to, qsizetype unread, bool blankAfter,
                TextEnd& end, QString& wide) {
    const qsizetype close = IndexOfByte(xml.sliced(from, to - from), '>', 0);
    const qsizetype contentStart = close >= 0 ? from + close + 1 : from;
    const QByteArrayView content = xml.sliced(contentStart, to - contentStart);
    if (IsBlank(content)) {
        char* out = end.Room(1, unread);
        *out++ = ' ';
        end.WrittenTo(out);
        return;
    }
    // The decoding writes each byte at or before where it read it, so the content and its
    // blank may be written from any place up to the content's start.
    char* const begin = end.Room(content.size() + 1, to + 1);
    bool ascii = true;
    char* out = WriteDecoded(content, begin, ascii);
    if (blankAfter) *out++ = ' ';
    // Both repairs change only characters from U+0080 on; a piece of ASCII stays as it is.
    if (ascii || RepairsLeaveAlone(QByteArrayView(begin, out - begin))) {
        end.WrittenTo(out);
        return;
    }
    wide.resize(0);
    AppendUtf8(QByteArrayView(begin, out - begin), wide);
    RepairDecodedPairs(wide);
    RepairDecodedPunctuation(wide);
    const QByteArray repaired = wide.toUtf8();
    char* again = end.Room(repaired.size(), unread);
    std::memcpy(again, repaired.constData(), static_cast<size_t>(repaired.size()));
    end.WrittenTo(again + repaired.size());
}

// Whether the piece ends a sentence: without its trailing blanks it ends with ".".
bool EndsSentence(QByteArrayView piece) {
    qsizetype end = piece.size();
    while (end > 0 && piece[end - 1] == ' ') --end;
    return end > 0 && piece[end - 1] == '.';
}

}  // namespace

QByteArray TextRunPiece(QByteArrayView tagAndContent) {
    QByteArray piece = tagAndContent.toByteArray();
    QString wide;
    {
        TextEnd end(piece);
        const QByteArrayView bytes(piece);
        WritePiece(bytes, 0, bytes.size(), bytes.size(), false, end, wide);
    }
    return piece;
}

qint32 ScanTextRuns(RunState& run, TextRunPieces& pieces, qint64& total, bool showProgress) {
    // The text is written over the document (the end takes it for its own before it is read).
    TextEnd end(pieces.text);
    const QByteArrayView xml(pieces.text);
    const qsizetype n = xml.size();
    qsizetype a = 0;
    qint32 i = 0;
    const bool textBoxDisplay = showProgress && total > kTextBoxDisplaySize;
    const bool barDisplay = n > kBarDisplayLength;
    ProgressBarSteps bar(n);
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
        const qsizetype contentEnd = f;
        const qsizetype after = f + LengthOf(kEnd);
        const NextRun nextRun = FindNextRun(xml, after);
        s = nextRun.start;
        if (nextRun.end >= 0) {
            f = nextRun.end;
        } else if (s >= 0) {
            endFreeUntil = s;
        }
        const qsizetype start = end.Size();
        WritePiece(xml, afterName, contentEnd, after, nextRun.breakBefore, end, wide);
        const QByteArrayView piece = end.Since(start);
        total += piece.size();
        ++i;
        if (textBoxDisplay && !piece.isEmpty() && i % kPieceDisplayStep == 0) {
            if (i % kPieceClearStep == 0) run.ui.OutputReplace(QString());
            run.ui.OutputAppend(DecodeUtf8(piece) + QStringLiteral("\r\n"));
        }
        if (pieces.keepStarts) pieces.starts.push_back(start);
        if (pieces.sentenceLines && EndsSentence(piece)) {
            char* out = end.Room(2, after);
            *out++ = '\r';
            *out++ = '\n';
            end.WrittenTo(out);
        }
        if (barDisplay && bar.Moved(a + 1)) UpdateProgressBar(run, a + 1, n, 0);
        a = after;
    }
    return i;
}

}  // namespace lxt

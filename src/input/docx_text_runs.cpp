#include "input/docx_text_runs.h"

#include "run/progress_bar.h"
#include "run/run_state.h"
#include "support/str_proc.h"
#include "support/ui.h"

namespace lxt {

namespace {

const QStringView kStart(kTextRunStart);
const QStringView kEnd(kTextRunEnd);
const QStringView kBreak(kLineBreak);
const QStringView kParaEnd(kParagraphEnd);

bool IsBlank(QStringView text) {
    for (QChar c : text) {
        if (c != u' ') return false;
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

// True when `text` holds `part` at `at`; compared inline, as these are a few characters.
bool HasAt(QStringView text, qsizetype at, QStringView part) {
    if (at < 0 || text.size() - at < part.size()) return false;
    const char16_t* p = text.utf16() + at;
    const char16_t* q = part.utf16();
    for (qsizetype k = 0; k < part.size(); ++k) {
        if (p[k] != q[k]) return false;
    }
    return true;
}

// The first `c` at or after `from` in text, or -1. In a document tags and entities stand
// close together, so the next few characters are looked at before the fast search is called.
qsizetype IndexOfNear(QStringView text, char16_t c, qsizetype from) {
    const char16_t* d = text.utf16();
    const qsizetype near = qMin(text.size(), from + 16);
    for (qsizetype at = qMax<qsizetype>(from, 0); at < near; ++at) {
        if (d[at] == c) return at;
    }
    return near < text.size() ? text.indexOf(QChar(c), near) : -1;
}

qsizetype NextTagStart(QStringView text, qsizetype from) {
    return IndexOfNear(text, u'<', from);
}

bool IsAscii(QStringView text) {
    char16_t all = 0;
    for (const QChar c : text) all |= c.unicode();
    return all < 0x80;
}

// The first place at or after `from` where `tag` (which begins with "<") stands in the
// text, or -1. Each "<" is found by a fast search and the rest compared there.
qsizetype FindTag(QStringView text, QStringView tag, qsizetype from) {
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
NextRun FindNextRun(QStringView text, qsizetype from) {
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
    QStringView name;  // without the "&"
    char16_t character;
};
constexpr Entity kAmp{u"amp;", u'&'};
constexpr Entity kOtherEntities[] = {
    {u"lt;", u'<'}, {u"gt;", u'>'}, {u"quot;", u'"'}, {u"apos;", u'\''}};

// The entity among kOtherEntities whose name starts at `at`, or null.
const Entity* OtherEntityAt(QStringView text, qsizetype at) {
    for (const Entity& entity : kOtherEntities) {
        if (HasAt(text, at, entity.name)) return &entity;
    }
    return nullptr;
}

// Appends the text with the five entities of a text run decoded, in one pass. "&amp;"
// becomes "&" first, so that an "&amp;" before the name of another entity ("&amp;lt;") gives
// that entity's character.
void AppendDecoded(QStringView view, QString& out) {
    for (qsizetype i = 0; i < view.size();) {
        if (view[i] != u'&') {
            // The characters up to the next "&" go over at once.
            qsizetype next = IndexOfNear(view, u'&', i);
            if (next < 0) next = view.size();
            out += view.sliced(i, next - i);
            i = next;
            continue;
        }
        if (HasAt(view, i + 1, kAmp.name)) {
            const qsizetype after = i + 1 + kAmp.name.size();
            if (const Entity* entity = OtherEntityAt(view, after)) {
                out += QChar(entity->character);
                i = after + entity->name.size();
            } else {
                out += QChar(kAmp.character);
                i = after;
            }
        } else if (const Entity* entity = OtherEntityAt(view, i + 1)) {
            out += QChar(entity->character);
            i += 1 + entity->name.size();
        } else {
            out += view[i++];
        }
    }
}

// The piece of a text run's tag and content, with a blank after it when `blankAfter` is
// set. No entity name holds a blank and the repairs go character by character, so the
// blank is added after the decoding: it is the same as decoding the content and blank.
QString PieceOf(QStringView tagAndContent, bool blankAfter) {
    const qsizetype close = IndexOfNear(tagAndContent, u'>', 0);
    const QStringView content = close >= 0 ? tagAndContent.sliced(close + 1) : tagAndContent;
    if (IsBlank(content)) return QStringLiteral(" ");
    QString piece;
    piece.reserve(content.size() + 1);
    AppendDecoded(content, piece);
    if (blankAfter) piece += u' ';
    // Both repairs change only characters from U+0080 on.
    if (!IsAscii(piece)) {
        RepairDecodedPairs(piece);
        RepairDecodedPunctuation(piece);
    }
    return piece;
}

}  // namespace

QString TextRunPiece(const QString& tagAndContent) {
    return PieceOf(tagAndContent, false);
}

qint32 ScanTextRuns(RunState& run, const QString& xml, qint64 start, QStringList& pieces,
                    qint64& total, bool showProgress) {
    const qsizetype n = xml.size();
    qsizetype a = static_cast<qsizetype>(qMax<qint64>(start, 1) - 1);  // 0-based
    qint32 i = 0;
    pieces.clear();
    const bool textBoxDisplay = showProgress && total > kTextBoxDisplaySize;
    const bool barDisplay = n > kBarDisplayLength;
    int barShown = -1;
    total = 0;
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
        const qsizetype afterName = s + kStart.size();
        const QChar next = afterName < n ? xml[afterName] : QChar();
        if (next != u' ' && next != u'>') {
            // Another element whose name begins with w:t (w:tab, w:tbl, w:tc).
            a = afterName;
            continue;
        }
        if (f <= afterName) {
            a = f + kEnd.size();
            continue;
        }
        const QStringView raw = QStringView(xml).sliced(afterName, f - afterName);
        const qsizetype after = f + kEnd.size();
        const NextRun nextRun = FindNextRun(xml, after);
        s = nextRun.start;
        if (nextRun.end >= 0) {
            f = nextRun.end;
        } else if (s >= 0) {
            endFreeUntil = s;
        }
        const bool blankAfter = nextRun.breakBefore;
        const QString piece = PieceOf(raw, blankAfter);
        pieces.append(piece);
        total += piece.size();
        ++i;
        if (textBoxDisplay && !piece.isEmpty() && i % kPieceDisplayStep == 0) {
            if (i % kPieceClearStep == 0) run.ui.OutputReplace(QString());
            run.ui.OutputAppend(piece + QStringLiteral("\r\n"));
        }
        if (barDisplay) {
            const int h = ProgressBarPosition(a + 1, n);
            if (h != barShown) barShown = UpdateProgressBar(run, a + 1, n, 0);
        }
        a = after;
    }
    return i;
}

}  // namespace lxt

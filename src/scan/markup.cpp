#include "scan/markup.h"

#include "run/run_state.h"
#include "scan/scan_options.h"
#include "support/char_case.h"

namespace lxt {

namespace {

constexpr int kMaxPairs = 10;
// An entity's ";" stands within its first this many characters.
constexpr qsizetype kMaxEntityLength = 20;
constexpr char16_t kCdataOpening[] = u"<![CDATA[";
constexpr qsizetype kCdataLength = 9;
constexpr char16_t kXmlDeclaration[] = u"<?xml";

struct Pair {
    const char16_t* start;
    const char16_t* end;
};

constexpr Pair kPairsC[] = {{u"/*", u"*/"}, {u"//", u""}};
constexpr Pair kPairsXml[] = {{u"<?xml", u"?>"}, {u"<!--", u"-->"}, {u"<", u">"}};
constexpr Pair kPairsHtml[] = {{u"&", u";"},
                               {u"<script", u"/script>"},
                               {u"<style", u"/style>"},
                               {u"<!--", u"-->"},
                               {u"<", u">"}};
constexpr Pair kPairsPhp[] = {{u"&", u";"},
                              {u"<script", u"/script>"},
                              {u"<style", u"/style>"},
                              {u"<!--", u"-->"},
                              {u"<?php", u"php"},
                              {u"<", u">"},
                              {u"/*", u"*/"},
                              {u"//", u""}};

template <size_t N>
void UsePairs(RunState& run, const Pair (&pairs)[N]) {
    for (size_t i = 0; i < N; ++i) {
        run.strStartMarker[i] = QString::fromUtf16(pairs[i].start);
        run.strEndMarker[i] = QString::fromUtf16(pairs[i].end);
    }
    run.intNumCommentMarkers = static_cast<int>(N);
}

// True when `text` holds `marker` at `pos` (0-based), both lower-cased character by character.
bool MatchesLowerAt(QStringView text, qsizetype pos, QStringView marker) {
    if (pos < 0 || pos + marker.size() > text.size()) return false;
    for (qsizetype j = 0; j < marker.size(); ++j) {
        if (LowerChar(text[pos + j]) != LowerChar(marker[j])) return false;
    }
    return true;
}

bool IsXmlTable(const RunState& run) {
    return run.strStartMarker[0] == kXmlDeclaration;
}

bool IsCdataAt(QStringView text, qsizetype pos) {
    const QStringView opening(kCdataOpening);
    if (pos + kCdataLength > text.size()) return false;
    for (qsizetype j = 0; j < kCdataLength; ++j) {
        if (UpperChar(text[pos + j]) != opening[j]) return false;
    }
    return true;
}

// The first position from `from` (0-based) whose lower-cased text is `marker` lower-cased.
qsizetype IndexOfLower(QStringView text, QStringView marker, qsizetype from) {
    if (marker.isEmpty()) return from <= text.size() ? from : -1;
    const QChar first = LowerChar(marker[0]);
    const qsizetype last = text.size() - marker.size();
    for (qsizetype i = from; i <= last; ++i) {
        if (LowerChar(text[i]) == first && MatchesLowerAt(text, i, marker)) return i;
    }
    return -1;
}

bool InReferenceSet(QChar c) {
    static const QStringView letters(kFullLetterList);
    const char16_t u = c.unicode();
    return u == u';' || (u >= u'0' && u <= u'9') || letters.contains(c);
}

}  // namespace

void SetMarkupMode(RunState& run, const QString& extensionLowerCase) {
    run.blnCharacterEntitiesPossible = false;
    if (extensionLowerCase == u"php") {
        SetCommentMarkers(run, kModePhp);
        run.blnCharacterEntitiesPossible = true;
    } else if (extensionLowerCase == u"xml") {
        SetCommentMarkers(run, kModeXml);
        run.blnCharacterEntitiesPossible = true;
    } else if (extensionLowerCase.contains(u"htm")) {
        SetCommentMarkers(run, kModeHtml);
        run.blnCharacterEntitiesPossible = true;
    } else {
        SetUserCommentMarkers(run);
    }
}

void SetUserCommentMarkers(RunState& run) {
    const Settings& settings = run.settings;
    SetCommentMarkers(run, QStringView());
    if (settings.chkAllowCommentMarkers != 1) return;
    for (size_t i = 0; i < settings.txbStartComment.size(); ++i) {
        run.strStartMarker[i] = settings.txbStartComment[i].trimmed();
        run.strEndMarker[i] = settings.txbEndComment[i].trimmed();
    }
    // A pair whose start marker is empty is never matched.
    run.intNumCommentMarkers = static_cast<int>(settings.txbStartComment.size());
}

void SetCommentMarkers(RunState& run, QStringView mode) {
    if (mode == kModeC) {
        UsePairs(run, kPairsC);
    } else if (mode == kModeXml) {
        UsePairs(run, kPairsXml);
    } else if (mode == kModeHtml) {
        UsePairs(run, kPairsHtml);
    } else if (mode == kModePhp) {
        UsePairs(run, kPairsPhp);
    } else {
        run.strStartMarker[0].clear();
        run.strEndMarker[0].clear();
        run.strStartMarker[1].clear();
        run.strEndMarker[1].clear();
        run.intNumCommentMarkers = 0;
    }
}

int FindMarkerAt(const RunState& run) {
    const int pairs = std::min(run.intNumCommentMarkers, kMaxPairs);
    if (pairs <= 0) return -1;
    const QStringView line(run.strLine);
    const qsizetype pos = qsizetype(run.lngLP) - 1;
    if (pos < 0 || pos >= line.size()) return -1;
    const QChar here = LowerChar(line[pos]);
    for (int index = 0; index < pairs; ++index) {
        const QString& start = run.strStartMarker[size_t(index)];
        if (start.isEmpty() || LowerChar(start[0]) != here || !MatchesLowerAt(line, pos, start)) {
            continue;
        }
        if (start == u"&" && run.strEndMarker[size_t(index)] == u";" &&
            run.blnCharacterEntitiesPossible) {
            return IsEntityAt(line.mid(pos)) > 0 ? index : -1;
        }
        // CDATA sections are told apart in XML mode only: elsewhere index 3 is another pair.
        if (IsXmlTable(run) && IsCdataAt(line, pos)) return kCdataIndex;
        return index;
    }
    return -1;
}

void SkipMarkedSpan(RunState& run) {
    const int k = run.intWithinComment;
    const QStringView line(run.strLine);
    const qint32 length = static_cast<qint32>(line.size());
    if (k < 0 || k >= kMaxPairs) {
        run.intWithinComment = -1;
        return;
    }
    if (k == kCdataIndex && IsXmlTable(run) && !run.blnReadingWords) {
        run.lngLP += static_cast<qint32>(kCdataLength);
        run.intWithinComment = -1;
        return;
    }
    const QString& endMarker = run.strEndMarker[size_t(k)];
    if (endMarker.isEmpty()) {
        run.lngLP = length + 1;
        run.intWithinComment = -1;
        return;
    }
    const qsizetype pos = qsizetype(run.lngLP) - 1;
    // A numeric reference opened by the "&" pair. (A span continued from an earlier line
    // that happens to start with "&#" is not one: it still looks for its own end.)
    if (run.blnCharacterEntitiesPossible && run.strStartMarker[size_t(k)] == u"&" && pos >= 0 &&
        pos + 1 < line.size() && line[pos] == u'&' && line[pos + 1] == u'#') {
        qsizetype i = pos + 2;
        while (i < line.size() && InReferenceSet(line[i])) ++i;
        run.lngLP = static_cast<qint32>(i) + 1;
        if (run.lngLP > length) run.intWithinComment = -1;  // nothing left to carry over
        return;
    }
    const qsizetype found = IndexOfLower(line, endMarker, std::max<qsizetype>(pos, 0));
    if (found >= 0) {
        run.lngLP = static_cast<qint32>(found + endMarker.size()) + 1;
        run.intWithinComment = -1;
    } else {
        run.lngLP = length + 1;
    }
}

int IsEntityAt(QStringView t) {
    if (t.size() <= 3) return 0;
    if (t[0] == u'&' && t[1] == u'#') return 1;
    if (t[0] != u'&') return 0;
    const qsizetype limit = std::min(t.size(), kMaxEntityLength);
    for (qsizetype i = 1; i < limit; ++i) {
        if (t[i] == u';') return IsLetterClass(ClassByte(t[1])) ? static_cast<int>(i) + 1 : 0;
        if (t[i] == u' ') return 0;
    }
    return 0;
}

}  // namespace lxt

#include "scan/markup.h"

#include "scan/scan_options.h"
#include "settings/settings.h"
#include "support/char_case.h"

namespace lxt {

namespace {

constexpr int kMaxPairs = MarkupMarkers::kMaxPairs;
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
void UsePairs(MarkupMarkers& markers, const Pair (&pairs)[N]) {
    for (size_t i = 0; i < N; ++i) {
        markers.start[i] = QString::fromUtf16(pairs[i].start);
        markers.end[i] = QString::fromUtf16(pairs[i].end);
    }
    markers.count = static_cast<int>(N);
}

// True when `text` holds `marker` at `pos` (0-based), both lower-cased character by character.
bool MatchesLowerAt(QStringView text, qsizetype pos, QStringView marker) {
    if (pos < 0 || pos + marker.size() > text.size()) return false;
    for (qsizetype j = 0; j < marker.size(); ++j) {
        if (LowerChar(text[pos + j]) != LowerChar(marker[j])) return false;
    }
    return true;
}

bool IsXmlTable(const MarkupMarkers& markers) {
    return markers.start[0] == kXmlDeclaration;
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

void SetMarkupMode(MarkupMarkers& markers, const Settings& settings,
                   const QString& extensionLowerCase) {
    markers.characterEntities = false;
    if (extensionLowerCase == u"php") {
        SetCommentMarkers(markers, kModePhp);
        markers.characterEntities = true;
    } else if (extensionLowerCase == u"xml") {
        SetCommentMarkers(markers, kModeXml);
        markers.characterEntities = true;
    } else if (extensionLowerCase.contains(u"htm")) {
        SetCommentMarkers(markers, kModeHtml);
        markers.characterEntities = true;
    } else {
        SetUserCommentMarkers(markers, settings);
    }
}

void SetUserCommentMarkers(MarkupMarkers& markers, const Settings& settings) {
    SetCommentMarkers(markers, QStringView());
    if (settings.chkAllowCommentMarkers != 1) return;
    for (size_t i = 0; i < settings.txbStartComment.size(); ++i) {
        markers.start[i] = settings.txbStartComment[i].trimmed();
        markers.end[i] = settings.txbEndComment[i].trimmed();
    }
    // A pair whose start marker is empty is never matched.
    markers.count = static_cast<int>(settings.txbStartComment.size());
}

void SetCommentMarkers(MarkupMarkers& markers, QStringView mode) {
    if (mode == kModeC) {
        UsePairs(markers, kPairsC);
    } else if (mode == kModeXml) {
        UsePairs(markers, kPairsXml);
    } else if (mode == kModeHtml) {
        UsePairs(markers, kPairsHtml);
    } else if (mode == kModePhp) {
        UsePairs(markers, kPairsPhp);
    } else {
        markers.start[0].clear();
        markers.end[0].clear();
        markers.start[1].clear();
        markers.end[1].clear();
        markers.count = 0;
    }
}

int FindMarkerAt(QStringView line, qsizetype pos, const ScanOptions& options) {
    const MarkupMarkers& markers = options.markers;
    const int pairs = std::min(markers.count, kMaxPairs);
    if (pairs <= 0) return -1;
    if (pos < 0 || pos >= line.size()) return -1;
    const QChar here = LowerChar(line[pos]);
    for (int index = 0; index < pairs; ++index) {
        const QString& start = markers.start[size_t(index)];
        if (start.isEmpty() || LowerChar(start[0]) != here || !MatchesLowerAt(line, pos, start)) {
            continue;
        }
        if (start == u"&" && markers.end[size_t(index)] == u";" && markers.characterEntities) {
            return IsEntityAt(line.mid(pos)) > 0 ? index : -1;
        }
        // CDATA sections are told apart in XML mode only: elsewhere index 3 is another pair.
        if (IsXmlTable(markers) && IsCdataAt(line, pos)) return kCdataIndex;
        return index;
    }
    return -1;
}

void SkipMarkedSpan(QStringView line, qsizetype& pos, int& withinComment,
                    const ScanOptions& options) {
    const MarkupMarkers& markers = options.markers;
    const int k = withinComment;
    const qsizetype length = line.size();
    if (k < 0 || k >= kMaxPairs) {
        withinComment = -1;
        return;
    }
    if (k == kCdataIndex && IsXmlTable(markers) && !options.readingWords) {
        pos += kCdataLength;
        withinComment = -1;
        return;
    }
    const QString& endMarker = markers.end[size_t(k)];
    if (endMarker.isEmpty()) {
        pos = length;
        withinComment = -1;
        return;
    }
    // A numeric reference opened by the "&" pair. (A span continued from an earlier line
    // that happens to start with "&#" is not one: it still looks for its own end.)
    if (markers.characterEntities && markers.start[size_t(k)] == u"&" && pos >= 0 &&
        pos + 1 < line.size() && line[pos] == u'&' && line[pos + 1] == u'#') {
        qsizetype i = pos + 2;
        while (i < line.size() && InReferenceSet(line[i])) ++i;
        pos = i;
        if (pos >= length) withinComment = -1;  // nothing left to carry over
        return;
    }
    const qsizetype found = IndexOfLower(line, endMarker, std::max<qsizetype>(pos, 0));
    if (found >= 0) {
        pos = found + endMarker.size();
        withinComment = -1;
    } else {
        pos = length;
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

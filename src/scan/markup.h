// Markup, comments and character entities: the marker pairs of each markup mode, the test
// for a marked span at the scan position, the skip past its end (also across lines, through
// the open span carried by the scanner), and the decoding of the common named entities.
#pragma once

#include <QString>
#include <QStringView>
#include <array>

#include "support/character_entities.h"

namespace lxt {

struct Settings;
struct ScanOptions;

// The marker pairs of a markup mode: pair i runs from start[i] to end[i] (an empty end ends
// the span with its line); only the first `count` pairs are looked for, in order. Entities
// are decoded and skipped in the markup modes "XML", "HTML" and "PHP".
struct MarkupMarkers {
    static constexpr int kMaxPairs = 10;
    int count = 0;
    std::array<QString, kMaxPairs> start;
    std::array<QString, kMaxPairs> end;
    bool characterEntities = false;
};

// The markup modes of SetCommentMarkers; any other text clears the marker tables.
inline constexpr char16_t kModeC[] = u"C";
inline constexpr char16_t kModeXml[] = u"XML";
inline constexpr char16_t kModeHtml[] = u"HTML";
inline constexpr char16_t kModePhp[] = u"PHP";

// Index that FindMarkerAt gives for a CDATA section opening at the scan position. CDATA
// sections are recognised in XML mode only; in HTML and PHP modes "<![CDATA[" is a tag.
inline constexpr int kCdataIndex = 3;

// Chooses the mode from the input file's lower-case extension ("php", "xml", anything
// containing "htm", otherwise "C") and whether entities are decoded with it. In mode "C"
// (plain text and docx) the markers are the user's (SetUserCommentMarkers).
void SetMarkupMode(MarkupMarkers& markers, const Settings& settings,
                   const QString& extensionLowerCase);
// The comment markers of plain text: with "Allow start- and end-comment markers" ticked the
// two pairs of the settings (blanks trimmed; an empty end marker ends the comment with its
// line, an empty start marker is never matched), cleared none at all.
void SetUserCommentMarkers(MarkupMarkers& markers, const Settings& settings);
// Fills the pairs for mode "C", "XML", "HTML" or "PHP"; any other mode (the clipboard passes
// an empty one) clears pairs 0 and 1 and leaves no pairs in use.
void SetCommentMarkers(MarkupMarkers& markers, QStringView mode);

// The index of the marker pair whose start marker stands at `scanPosition` (0-based; case
// ignored), kCdataIndex for "<![CDATA[" in XML mode, or -1.
int FindMarkerAt(QStringView line, qsizetype scanPosition, const ScanOptions& options);
// Moves `scanPosition` past the end of the span `withinComment` has open (to the end of the
// line when the span goes on) and sets `withinComment` to -1 when the span is closed.
void SkipMarkedSpan(QStringView line, qsizetype& scanPosition, int& withinComment,
                    const ScanOptions& options);

// The 1-based position of the closing ";" when `text` begins with a named character entity
// (at most 20 characters, no blank, a letter after "&"), 1 for "&#", otherwise 0.
int IsEntityAt(QStringView text);

}  // namespace lxt

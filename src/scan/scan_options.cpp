#include "scan/scan_options.h"

#include <algorithm>

#include "run/run_state.h"
#include "scan/letter_classes.h"
#include "support/win1252.h"

namespace lxt {

bool IsLetterClass(unsigned b) {
    return (b >= 65 && b <= 90) || (b >= 97 && b <= 122) || (b >= 192 && b <= 214) ||
           (b >= 216 && b <= 246) || (b >= 248 && b <= 255);
}

namespace {

bool IsDigitClass(unsigned b) {
    return b >= 48 && b <= 57;
}

bool ClassInExtra(unsigned b, QStringView extra) {
    return !extra.isEmpty() && extra.contains(Win1252Char(static_cast<unsigned char>(b)));
}

}  // namespace

bool IsWordChar(QChar c, QStringView extra, bool digits) {
    const unsigned char cls = CodeUnitClasses()[c.unicode()];
    if ((cls & kClassWin1252) == 0) return (cls & kClassLetter) != 0;
    const unsigned b = ClassByte(c);
    return IsLetterClass(b) || (digits && IsDigitClass(b)) || ClassInExtra(b, extra);
}

WordCharTable::WordCharTable(QStringView extra, bool digits) {
    const QStringView vowels(kVowelsOrY);
    for (unsigned b = 0; b < 256; ++b) {
        unsigned char flags = 0;
        if (IsLetterClass(b)) flags |= kWordBit | kLetterBit;
        if ((digits && IsDigitClass(b)) || ClassInExtra(b, extra)) flags |= kWordBit;
        byClass_[b] = flags;
        // A code unit below 256 that Windows-1252 does not have (a C1 control character)
        // separates words.
        if (Win1252Byte(QChar(char16_t(b))) < 0) continue;
        if (vowels.contains(QChar(char16_t(b)))) flags |= kVowelOrYBit;
        low_[b] = flags;
    }
}

unsigned WordCharTable::PairFlags(const char16_t* p, const char16_t* end, int& length) const {
    const char32_t code = CodePointAt(p, end, length);
    if (length == 1) return 0;  // a lone surrogate separates words
    return FromClass(LetterClass(code), 0);
}

QString StartChars(QStringView extra, QStringView prohibited) {
    QString start;
    for (QChar c : extra) {
        if (!prohibited.contains(c)) start += c;
    }
    return start;
}

ScanOptions::ScanOptions(QStringView extraChars, QStringView prohibitedInitialOrFinalChars,
                         int maxWordLength)
    : word(extraChars, false),
      start(StartChars(extraChars, prohibitedInitialOrFinalChars), false),
      maxWordLength(maxWordLength) {}

ScanOptions ScanOptionsOf(const RunState& run, ScanContext context, const MarkupMarkers& markers) {
    const Settings& s = run.settings;
    const bool readingWords = context == ScanContext::ReadingCommonWords;
    ScanOptions options(readingWords ? QString::fromUtf16(kAllPossibleExtraChars) : ExtraChars(s),
                        kProhibitedInitialOrFinalChars, run.intMaxPermittedWordLength);
    options.readingWords = readingWords;
    options.dropFinalS = s.chkDropFinalS == 1;
    options.apostrophesAllowed = s.chkAllowWordsWithApostrophes == 1;
    options.ignoreNoVowel = s.chkIgnoreNoVowel == 1;
    options.markers = markers;
    options.commentsPossible = options.readingWords || markers.count > 0;
    options.decodeEntities = !options.readingWords && markers.characterEntities;
    return options;
}

QString ExtraChars(const Settings& s) {
    QString extra;
    if (s.chkAllowWordsWithHyphens == 1) extra += u'-';
    if (s.chkAllowWordsWithApostrophes == 1) {
        extra += u'\'';
        extra += Win1252Char(kLeftSingleQuoteCode);
    }
    if (s.chkAllowWordsWithNumerals == 1) extra += QString::fromUtf16(kDigits);
    return extra;
}

bool QuickScanRefusals(const ScanOptions& options, std::array<bool, 128>& refused) {
    constexpr char16_t kFirstNonAscii = 128;
    bool usable = !options.readingWords;
    const MarkupMarkers& markers = options.markers;
    const int pairs = std::min(markers.count, MarkupMarkers::kMaxPairs);
    for (int i = 0; i < pairs; ++i) {
        const QString& start = markers.start[size_t(i)];
        if (start.isEmpty()) continue;
        const char16_t first = start[0].unicode();
        if (first >= kFirstNonAscii || QChar::isLetter(first)) usable = false;
        if (first < kFirstNonAscii) refused[first] = true;
    }
    if (options.decodeEntities) refused[u'&'] = true;
    return usable;
}

}  // namespace lxt

#include "scan/scan_options.h"

#include "run/run_state.h"
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
    const unsigned b = ClassByte(c);
    return IsLetterClass(b) || (digits && IsDigitClass(b)) || ClassInExtra(b, extra);
}

WordCharTable::WordCharTable(QStringView extra, bool digits) {
    const QStringView vowels(kVowelsOrY);
    for (unsigned b = 0; b < 256; ++b) {
        unsigned char flags = 0;
        if (IsLetterClass(b) || (digits && IsDigitClass(b)) || ClassInExtra(b, extra)) {
            flags |= kWordBit;
        }
        if (vowels.contains(QChar(char16_t(b)))) flags |= kVowelOrYBit;
        table_[b] = flags;
    }
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

ScanOptions ScanOptionsOf(const RunState& run) {
    return ScanOptions(run.strExtraChars, run.strProhibitedInitialOrFinalChars,
                       run.intMaxPermittedWordLength);
}

void SetExtraChars(RunState& run) {
    const Settings& s = run.settings;
    QString extra;
    if (s.chkAllowWordsWithHyphens == 1) extra += u'-';
    if (s.chkAllowWordsWithApostrophes == 1) {
        extra += u'\'';
        extra += Win1252Char(kLeftSingleQuoteCode);
    }
    if (s.chkAllowWordsWithNumerals == 1) extra += QString::fromUtf16(kDigits);
    run.strExtraChars = extra;
}

}  // namespace lxt

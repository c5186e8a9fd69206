#include "run/dropped_words.h"

namespace lxt {

void DroppedWords::Change(WordTable& table, bool sevenBit, bool commonWords,
                          const QString& wordsToIgnore, const QStringList& commonWordList) {
    table.ForgetDropped();
    sevenBit_ = sevenBit;
    commonWords_ = commonWords;
    wordsToIgnore_ = wordsToIgnore;
    commonWordList_ = commonWordList;
}

}  // namespace lxt

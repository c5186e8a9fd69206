#include "run/dropped_words.h"

namespace lxt {

void DroppedWords::HoldFor(bool sevenBit, bool commonWords, const QString& wordsToIgnore,
                           const QStringList& commonWordList) {
    if (sevenBit == sevenBit_ && commonWords == commonWords_ &&
        wordsToIgnore.constData() == wordsToIgnore_.constData() &&
        wordsToIgnore.size() == wordsToIgnore_.size() &&
        commonWordList.constData() == commonWordList_.constData() &&
        commonWordList.size() == commonWordList_.size()) {
        return;
    }
    Clear();
    sevenBit_ = sevenBit;
    commonWords_ = commonWords;
    wordsToIgnore_ = wordsToIgnore;
    commonWordList_ = commonWordList;
}

void DroppedWords::Add(WordTable::Probe probe) {
    if (words_.FindCount(probe) == nullptr) words_.Insert(probe);
}

void DroppedWords::Clear() {
    words_.Recreate();
}

}  // namespace lxt

// The words a counting run's exclusions (the 7-bit rule, the words to ignore, the common
// words) have dropped are kept in the word table's own slots (WordTable::InsertDropped), so
// that a dropped word met again costs the look-up every word costs instead of the exclusion
// tests once more. They hold for one set of exclusions: this remembers which, and makes the
// table forget them when the exclusions change.
#pragma once

#include <QString>
#include <QStringList>

#include "run/word_table.h"

namespace lxt {

class DroppedWords {
  public:
    // True when the table's dropped words were dropped by these exclusions.
    bool Stand(bool sevenBit, bool commonWords, const QString& wordsToIgnore,
               const QStringList& commonWordList) const {
        return sevenBit == sevenBit_ && commonWords == commonWords_ &&
               wordsToIgnore.constData() == wordsToIgnore_.constData() &&
               wordsToIgnore.size() == wordsToIgnore_.size() &&
               commonWordList.constData() == commonWordList_.constData() &&
               commonWordList.size() == commonWordList_.size();
    }
    // Stand; otherwise the table forgets its dropped words, these exclusions hold from now
    // on, and the answer is false.
    bool HoldFor(WordTable& table, bool sevenBit, bool commonWords, const QString& wordsToIgnore,
                 const QStringList& commonWordList) {
        if (Stand(sevenBit, commonWords, wordsToIgnore, commonWordList)) [[likely]] {
            return true;
        }
        Change(table, sevenBit, commonWords, wordsToIgnore, commonWordList);
        return false;
    }

  private:
    [[gnu::noinline]] void Change(WordTable& table, bool sevenBit, bool commonWords,
                                  const QString& wordsToIgnore, const QStringList& commonWordList);

    bool sevenBit_ = false;
    bool commonWords_ = false;
    // Copies that share the run's lists: a change to the run's list moves it to new storage,
    // so the same storage and size mean the same list.
    QString wordsToIgnore_;
    QStringList commonWordList_;
};

}  // namespace lxt

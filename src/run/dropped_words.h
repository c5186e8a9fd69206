// The words a counting run's exclusions (the 7-bit rule, the words to ignore, the common
// words) have dropped: a dropped word met again is known by one look-up with the hash already
// made, instead of by the exclusion tests once more. The set holds for one set of exclusions
// and empties itself when they change.
#pragma once

#include <QString>
#include <QStringList>

#include "run/word_table.h"

namespace lxt {

class DroppedWords {
  public:
    // Makes the set hold for these exclusions: emptied unless it already holds for them.
    void HoldFor(bool sevenBit, bool commonWords, const QString& wordsToIgnore,
                 const QStringList& commonWordList);
    // True when the probe's word was dropped. Takes a copy: the table's own look-up keeps its
    // probe.
    bool Holds(WordTable::Probe probe) { return words_.FindCount(probe) != nullptr; }
    // Remembers the probe's word, which Holds has just not found.
    void Add(WordTable::Probe probe);
    void Clear();

  private:
    WordTable words_;
    bool sevenBit_ = false;
    bool commonWords_ = false;
    // Copies that share the run's lists: a change to the run's list moves it to new storage,
    // so the same storage and size mean the same list.
    QString wordsToIgnore_;
    QStringList commonWordList_;
};

}  // namespace lxt

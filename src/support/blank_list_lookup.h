// Whole-word lookup in a list of words written between blanks (" of the and "): a word is
// in the list when it stands between two blanks. The words of the last list asked about are
// kept in a hash set, so a lookup costs the same whatever the length of the list.
#pragma once

#include <QString>
#include <QStringView>

namespace lxt {

// True when `word` stands between two blanks in `list` (an empty word: two blanks side by
// side).
bool BlankListHolds(const QString& list, QStringView word);

}  // namespace lxt

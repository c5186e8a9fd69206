// One different word of a counting run and what the listing needs to know about it.
#pragma once

#include <QString>
#include <QtGlobal>

namespace lxt {

struct WordEntry {
    QString strWord;     // the word as admitted
    QString strSortKey;  // folded form for the alphabetical listing
    qint32 lngFrequency = 0;
    qint32 lngRank = 0;  // position in the frequency order, from 1; 0 = not ranked
    qint32 lngNext = 0;  // next entry in the frequency order; 0 = none
    bool blnIncluded = false;
};

}  // namespace lxt

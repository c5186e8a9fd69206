// One different word of a sealed table and what the listing needs to know about it.
#pragma once

#include <QStringView>
#include <QtGlobal>

#include "run/word_arena.h"

namespace lxt {

struct WordEntry {
    const char16_t* units = nullptr;  // the word's characters, held by the table's arena
    qint32 frequency = 0;
    qint32 rank = 0;  // position in the frequency order, from 1; 0 = not ranked
    qint32 next = 0;  // next entry in the frequency order; 0 = none
    bool included = false;

    // The word as admitted.
    QStringView Word() const noexcept { return QStringView(units, Size()); }
    // The word's length in code units.
    qint32 Size() const noexcept { return WordArena::LengthOf(units); }
};

}  // namespace lxt

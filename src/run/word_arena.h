// The characters of the words of a table, each held once: words are appended to large blocks
// that never move, so that a word's address stays valid until the arena is emptied. Each word
// is preceded by its count (aligned for a qint32) and its length, so that the address alone
// tells the word and where it is counted.
#pragma once

#include <QStringView>
#include <QtGlobal>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "support/narrow_text.h"

namespace lxt {

class WordArena {
  public:
    // Code units per block; a longer word gets a block of its own.
    static constexpr qsizetype kBlockUnits = qsizetype{1} << 16;
    // The length before each word takes this many code units, and the count before it as many.
    static constexpr qsizetype kLengthUnits = 2;
    static constexpr qsizetype kHeaderUnits = 2 * kLengthUnits;
    // Units left after the last word of a block, so that a word may be read in whole blocks
    // past its end (narrow_text.h).
    static constexpr qsizetype kRoomUnits = kNarrowRoom;

    // A copy of `word` that stays put until Clear, counted `frequency` times.
    const char16_t* Intern(QStringView word, qint32 frequency = 0);
    // Frees every block.
    void Clear();
    // True when `p` points into one of the blocks.
    bool Holds(const void* p) const noexcept {
        const auto at = reinterpret_cast<std::uintptr_t>(p);
        for (size_t i = 0; i < blocks_.size(); ++i) {
            const auto start = reinterpret_cast<std::uintptr_t>(blocks_[i].get());
            if (at >= start && at - start < static_cast<std::uintptr_t>(blockBytes_[i]))
                return true;
        }
        return false;
    }

    // The length of a word that Intern gave back (0 for none).
    static qint32 LengthOf(const char16_t* units) noexcept {
        if (units == nullptr) return 0;
        qint32 length;
        std::memcpy(&length, units - kLengthUnits, sizeof length);
        return length;
    }

    // The count of a word that Intern gave back.
    static qint32* FrequencyOf(const char16_t* units) noexcept {
        return reinterpret_cast<qint32*>(const_cast<char16_t*>(units - kHeaderUnits));
    }

  private:
    std::vector<std::unique_ptr<char16_t[]>> blocks_;
    std::vector<qsizetype> blockBytes_;  // the size of each block
    char16_t* free_ = nullptr;           // the first unused unit of the last block
    qsizetype room_ = 0;                 // the unused units from free_ on
};

}  // namespace lxt

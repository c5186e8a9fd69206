#include "run/word_arena.h"

#include <algorithm>

namespace lxt {

const char16_t* WordArena::Intern(QStringView word, qint32 frequency) {
    // Each word starts on a whole number of qint32, where its count goes.
    const qsizetype need = (kHeaderUnits + word.size() + 1) & ~qsizetype{1};
    if (need + kRoomUnits > room_) {
        const qsizetype units = std::max(need + kRoomUnits, kBlockUnits);
        blocks_.push_back(std::make_unique_for_overwrite<char16_t[]>(static_cast<size_t>(units)));
        free_ = blocks_.back().get();
        room_ = units;
    }
    const auto length = static_cast<qint32>(word.size());
    std::memcpy(free_, &frequency, sizeof frequency);
    std::memcpy(free_ + kLengthUnits, &length, sizeof length);
    char16_t* units = free_ + kHeaderUnits;
    if (!word.isEmpty()) {
        std::memcpy(units, word.utf16(), static_cast<size_t>(word.size()) * sizeof(char16_t));
    }
    free_ += need;
    room_ -= need;
    return units;
}

void WordArena::Clear() {
    blocks_.clear();
    free_ = nullptr;
    room_ = 0;
}

}  // namespace lxt

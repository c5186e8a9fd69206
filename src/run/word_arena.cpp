#include "run/word_arena.h"

#include <algorithm>

namespace lxt {

const char16_t* WordArena::Intern(QStringView word) {
    const qsizetype need = word.size() + kLengthUnits;
    if (need > room_) {
        const qsizetype units = std::max(need, kBlockUnits);
        blocks_.push_back(std::make_unique_for_overwrite<char16_t[]>(static_cast<size_t>(units)));
        free_ = blocks_.back().get();
        room_ = units;
    }
    const auto length = static_cast<qint32>(word.size());
    std::memcpy(free_, &length, sizeof length);
    char16_t* units = free_ + kLengthUnits;
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

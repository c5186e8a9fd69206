#include "run/word_hash.h"

#include <QVarLengthArray>

#include "support/narrow_text.h"

namespace lxt::word_hash {

WordKey KeyOfWord(const char16_t* units, qsizetype size) {
    char16_t all = 0;
    bool zero = false;
    for (qsizetype i = 0; i < size; ++i) {
        all |= units[i];
        zero |= units[i] == 0;
    }
    if (all > 0xFF || zero) {
        const size_t hash = HashUnits(units, size);
        return {hash, hash | kLongKeyMark};
    }
    // One byte per character, with room after the end for KeyOfNarrow's reads.
    QVarLengthArray<unsigned char, 128> bytes(size + kNarrowRoom);
    for (qsizetype i = 0; i < size; ++i) bytes[i] = static_cast<unsigned char>(units[i]);
    return KeyOfNarrow(bytes.data(), size);
}

}  // namespace lxt::word_hash

// The hash of a word's code units and the comparison of two words' code units, as the word
// table uses them on every occurrence it counts.
#pragma once

#include <QtGlobal>
#include <cstddef>
#include <cstring>

namespace lxt {

namespace word_hash {

__extension__ typedef unsigned __int128 Wide;

constexpr quint64 kSeed = 0xA0761D6478BD642Full;
constexpr quint64 kMultiplier = 0xE7037ED1A0B428DBull;
constexpr quint64 kFinal = 0x8EBC6AF09C88C6E3ull;

// The 128-bit product of a and b, folded to 64 bits.
[[gnu::always_inline]] inline quint64 Fold(quint64 a, quint64 b) noexcept {
    const Wide r = static_cast<Wide>(a) * b;
    return static_cast<quint64>(r) ^ static_cast<quint64>(r >> 64);
}

[[gnu::always_inline]] inline quint64 Load8(const unsigned char* p) noexcept {
    quint64 v;
    std::memcpy(&v, p, 8);
    return v;
}

[[gnu::always_inline]] inline quint64 Load4(const unsigned char* p) noexcept {
    quint32 v;
    std::memcpy(&v, p, 4);
    return v;
}

// A multiply-and-fold hash over the bytes of the code units. Words of 2 to 8 characters (the
// usual case) are read as two numbers without a branch; longer ones eight bytes at a time.
// Well mixed in all bits: the low bits choose the slot, the high half is the slot's tag.
[[gnu::always_inline]] inline size_t HashUnits(const char16_t* units, qsizetype size) noexcept {
    const auto* p = reinterpret_cast<const unsigned char*>(units);
    const size_t bytes = static_cast<size_t>(size) * sizeof(char16_t);
    quint64 a = kSeed ^ bytes;
    quint64 b = 0;
    if (bytes > 16) {
        size_t i = 0;
        for (; i + 16 < bytes; i += 8) a = Fold(a ^ Load8(p + i), kMultiplier);
        a ^= Load8(p + i);
        b = Load8(p + bytes - 8);
    } else if (bytes >= 4) {
        // The bytes [0, 8) and [n - 8, n) as four pieces of four bytes (shorter words read
        // some bytes twice).
        const size_t middle = (bytes >> 3) << 2;  // 0 below 8 bytes, 4 from 8 to 15, 8 at 16
        a ^= Load4(p) | Load4(p + middle) << 32;
        b = Load4(p + bytes - 4 - middle) | Load4(p + bytes - 4) << 32;
    } else if (bytes == 2) {
        b = quint64(p[0]) | quint64(p[1]) << 8;
    }
    return static_cast<size_t>(Fold(Fold(a, kMultiplier) ^ b, kFinal));
}

// What the word table knows a word by: its hash (whose low half chooses the slot) and its
// key. A word of 1 to 7 characters, all below 256 and none of them U+0000, is its own key: its
// bytes, one per character, the first in the lowest byte, so that the top byte is 0. Any other
// word's key is its hash with the top byte set: equal keys then mean equal words or, for such
// a word, an equal hash.
struct WordKey {
    size_t hash = 0;
    quint64 key = 0;
};

inline constexpr quint64 kLongKeyMark = 0xFF00000000000000ull;

inline bool IsShortKey(quint64 key) noexcept {
    return (key & kLongKeyMark) == 0;
}

// The hash of a short word, from its key alone.
[[gnu::always_inline]] inline size_t HashOfShortKey(quint64 key, size_t characters) noexcept {
    return static_cast<size_t>(Fold(kSeed ^ characters ^ key, kMultiplier));
}

// The hash of a word from its key alone: a short word's from its characters, another word's
// low half kept in its key.
inline size_t HashOfKey(quint64 key) noexcept {
    if (!IsShortKey(key)) return static_cast<size_t>(key);
    const size_t characters = key == 0 ? 0 : (71 - static_cast<size_t>(__builtin_clzll(key))) / 8;
    return HashOfShortKey(key, characters);
}

// The key of a word whose characters all lie below 256 and are not U+0000, held one byte
// each: a word of up to 8 characters (the usual case) is one number, up to 16 two. At least 8
// bytes from `bytes` must be readable, past the word's end for a shorter word.
[[gnu::always_inline]] inline WordKey KeyOfNarrow(const unsigned char* bytes,
                                                  qsizetype size) noexcept {
    const auto n = static_cast<size_t>(size);
    if (n <= 8) {
        // One product mixes the usual word well enough.
        constexpr quint64 kBytes[9] = {0,          0xFF,         0xFFFF,         0xFFFFFF,
                                       0xFFFFFFFF, 0xFFFFFFFFFF, 0xFFFFFFFFFFFF, 0xFFFFFFFFFFFFFF,
                                       ~quint64{0}};
        const quint64 x = Load8(bytes) & kBytes[n];
        const size_t hash = HashOfShortKey(x, n);
        return {hash, n < 8 ? x : hash | kLongKeyMark};
    }
    quint64 a = kSeed ^ n;
    size_t i = 0;
    for (; i + 16 < n; i += 8) a = Fold(a ^ Load8(bytes + i), kMultiplier);
    const auto hash = static_cast<size_t>(
        Fold(Fold(a ^ Load8(bytes + i), kMultiplier) ^ Load8(bytes + n - 8), kFinal));
    return {hash, hash | kLongKeyMark};
}

// The key of any word: KeyOfNarrow of its characters when they all lie below 256 and none is
// U+0000, else from HashUnits. A word's key is the same whichever form it comes in.
WordKey KeyOfWord(const char16_t* units, qsizetype size);

// Equal code units, `size` of them at both addresses.
[[gnu::always_inline]] inline bool SameUnits(const char16_t* a, const char16_t* b,
                                             qsizetype size) noexcept {
    const auto* x = reinterpret_cast<const unsigned char*>(a);
    const auto* y = reinterpret_cast<const unsigned char*>(b);
    const size_t bytes = static_cast<size_t>(size) * sizeof(char16_t);
    if (bytes >= 8) {
        for (size_t i = 0; i + 8 < bytes; i += 8) {
            if (Load8(x + i) != Load8(y + i)) return false;
        }
        return Load8(x + bytes - 8) == Load8(y + bytes - 8);
    }
    if (bytes >= 4)
        return ((Load4(x) ^ Load4(y)) | (Load4(x + bytes - 4) ^ Load4(y + bytes - 4))) == 0;
    return bytes == 0 || a[0] == b[0];
}

}  // namespace word_hash

}  // namespace lxt

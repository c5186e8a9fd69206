// The hand-tuned baseline of the corpus benchmark: what a careful C++ counter does with no
// word rules at all. Runs of ASCII letters, lower-cased, are words; every other byte divides
// them. Words are counted in an open-addressing table (FNV-1a hash, linear probing, the
// count and the hash kept beside the word's place in one arena), and written by decreasing
// frequency, ties in byte order, to an output file.
//   tuned_counter INPUT OUTPUT
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string_view>
#include <vector>

namespace {

constexpr std::uint32_t kFnvOffset = 2166136261u;
constexpr std::uint32_t kFnvPrime = 16777619u;

struct Slot {
    std::uint32_t hash = 0;
    std::uint32_t count = 0;  // 0: the slot is free
    std::uint32_t offset = 0;
    std::uint32_t length = 0;
};

class Table {
  public:
    Table() : slots_(1u << 16) { arena_.reserve(1u << 20); }

    void Add(const char* word, std::uint32_t length, std::uint32_t hash) {
        std::size_t mask = slots_.size() - 1;
        for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
            Slot& s = slots_[i];
            if (s.count == 0) {
                s.hash = hash;
                s.count = 1;
                s.offset = static_cast<std::uint32_t>(arena_.size());
                s.length = length;
                arena_.insert(arena_.end(), word, word + length);
                if (++used_ * 2 > slots_.size()) Grow();
                return;
            }
            if (s.hash == hash && s.length == length &&
                std::memcmp(arena_.data() + s.offset, word, length) == 0) {
                ++s.count;
                return;
            }
        }
    }

    std::vector<Slot> Entries() const {
        std::vector<Slot> out;
        out.reserve(used_);
        for (const Slot& s : slots_) {
            if (s.count != 0) out.push_back(s);
        }
        return out;
    }
    std::string_view Word(const Slot& s) const { return {arena_.data() + s.offset, s.length}; }

  private:
    void Grow() {
        std::vector<Slot> old(slots_.size() * 2);
        old.swap(slots_);
        const std::size_t mask = slots_.size() - 1;
        for (const Slot& s : old) {
            if (s.count == 0) continue;
            std::size_t i = s.hash & mask;
            while (slots_[i].count != 0) i = (i + 1) & mask;
            slots_[i] = s;
        }
    }

    std::vector<Slot> slots_;
    std::vector<char> arena_;
    std::size_t used_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: tuned_counter INPUT OUTPUT\n");
        return 2;
    }
    std::FILE* in = std::fopen(argv[1], "rb");
    if (in == nullptr) {
        std::perror(argv[1]);
        return 1;
    }
    // Which bytes are letters, and each byte lower-cased.
    bool letter[256] = {};
    char lower[256];
    for (int c = 0; c < 256; ++c) {
        letter[c] = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
        lower[c] = static_cast<char>(letter[c] ? (c | 0x20) : c);
    }
    Table table;
    char word[4096];
    std::uint32_t length = 0;
    std::uint32_t hash = kFnvOffset;
    std::vector<unsigned char> buffer(1 << 20);
    std::size_t got = 0;
    while ((got = std::fread(buffer.data(), 1, buffer.size(), in)) > 0) {
        for (std::size_t i = 0; i < got; ++i) {
            const unsigned char c = buffer[i];
            if (letter[c]) {
                const char l = lower[c];
                if (length < sizeof word) {  // a longer run is cut, as it is stored
                    word[length++] = l;
                    hash = (hash ^ static_cast<unsigned char>(l)) * kFnvPrime;
                }
            } else if (length != 0) {
                table.Add(word, length, hash);
                length = 0;
                hash = kFnvOffset;
            }
        }
    }
    if (length != 0) table.Add(word, length, hash);
    std::fclose(in);

    std::vector<Slot> sorted = table.Entries();
    std::sort(sorted.begin(), sorted.end(), [&](const Slot& a, const Slot& b) {
        return a.count != b.count ? a.count > b.count : table.Word(a) < table.Word(b);
    });
    std::FILE* out = std::fopen(argv[2], "wb");
    if (out == nullptr) {
        std::perror(argv[2]);
        return 3;
    }
    for (const Slot& s : sorted) {
        const std::string_view w = table.Word(s);
        std::fprintf(out, "%8u  %.*s\r\n", s.count, static_cast<int>(w.size()), w.data());
    }
    std::fclose(out);
    return 0;
}

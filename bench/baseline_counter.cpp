// The plain baseline of the corpus benchmark: counts the runs of ASCII letters of a file,
// lower-cased, in a std::unordered_map, and writes the words by decreasing frequency to an
// output file. No word rules, no exclusions: what a few lines of ordinary C++ do.
//   baseline_counter INPUT OUTPUT
#include <algorithm>
#include <cstdio>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: baseline_counter INPUT OUTPUT\n");
        return 2;
    }
    std::FILE* in = std::fopen(argv[1], "rb");
    if (in == nullptr) {
        std::perror(argv[1]);
        return 1;
    }
    std::unordered_map<std::string, long> counts;
    std::string word;
    std::vector<char> buffer(1 << 20);
    size_t got = 0;
    while ((got = std::fread(buffer.data(), 1, buffer.size(), in)) > 0) {
        for (size_t i = 0; i < got; ++i) {
            const char c = buffer[i];
            if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')) {
                word.push_back(static_cast<char>(c | 0x20));
            } else if (!word.empty()) {
                ++counts[word];
                word.clear();
            }
        }
    }
    if (!word.empty()) ++counts[word];
    std::fclose(in);

    std::vector<std::pair<std::string, long>> sorted(counts.begin(), counts.end());
    std::sort(sorted.begin(), sorted.end(), [](const auto& a, const auto& b) {
        return a.second != b.second ? a.second > b.second : a.first < b.first;
    });
    std::FILE* out = std::fopen(argv[2], "wb");
    if (out == nullptr) {
        std::perror(argv[2]);
        return 3;
    }
    for (const auto& [w, n] : sorted) std::fprintf(out, "%8ld  %s\r\n", n, w.c_str());
    std::fclose(out);
    return 0;
}

// The sink of a counting run's scanner: each accepted word is one more occurrence and goes
// through GetWords2's admission into the word table.
#pragma once

#include "run/run_error.h"
#include "run/run_state.h"
#include "run/word_list.h"
#include "scan/word_sink.h"

namespace lxt {

class CountingSink final : public WordSink {
  public:
    explicit CountingSink(RunState& run) : run_(run) {}
    void Accept(QStringView word) override {
        IncrementCounter(run_.lngTotalNumOccurrences);
        GetWords2(run_, word);
    }
    // The same for a word of characters below 256 held one byte each (narrow_text.h), no
    // longer than the run's longest word, when `admissible()` (the rest of the word rules)
    // holds: a word the table holds passed them when it was added, and is counted at once.
    template <typename Test>
    void AcceptNarrow(const unsigned char* bytes, qsizetype size, char16_t* room, Test admissible) {
        GetWords2(run_, bytes, size, room, admissible);
    }

  private:
    RunState& run_;
};

}  // namespace lxt

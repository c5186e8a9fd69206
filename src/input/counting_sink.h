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

  private:
    RunState& run_;
};

}  // namespace lxt

// Where the line scanner delivers the words it accepts: the counting run's admission and
// count, or the list of common words being read. The scanner knows nothing of either.
#pragma once

#include <QStringView>

namespace lxt {

class WordSink {
  public:
    virtual ~WordSink() = default;
    // Takes one accepted word; the view is valid only during the call. May throw RunError.
    virtual void Accept(QStringView word) = 0;
};

}  // namespace lxt

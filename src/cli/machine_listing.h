// The two forms of lxt-count's result meant for other programs: tab-separated lines and a
// JSON object. Both hold exactly the words the listing shows, in its order, so every word
// rule and exclusion applies to them as to the listing.
#pragma once

#include <QByteArray>

namespace lxt {
struct RunState;
}

namespace lxt::cli {

// One line per listed word: the word, a tab, its frequency and a line feed; UTF-8.
QByteArray TsvListing(const RunState& run);

// One JSON object on one line: the four statistics ("wordsInList", "wordsIgnored",
// "instancesInList", "totalInstances") and "words", an array of {"word", "frequency"}
// in the listing's order; ended by a line feed.
QByteArray JsonListing(const RunState& run);

}  // namespace lxt::cli

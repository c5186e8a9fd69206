// What a scan of text is for: counting a source's words, or reading a common-words file into
// the list. The word rules, the word characters and the live word-count label follow it.
#pragma once

namespace lxt {

enum class ScanContext {
    Counting,           // a file or the clipboard is counted
    ReadingCommonWords  // a common-words file is read: its words are listed, not counted
};

}  // namespace lxt

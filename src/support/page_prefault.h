// Mapping the pages of a large buffer before it is written whole: one request to the system
// instead of a page fault for every 4 KiB as the writing reaches it.
#pragma once

#include <QtGlobal>

namespace lxt {

// Asks the system to map the memory of [data, data + size) for writing now. Only a hint:
// the contents are left as they are, and where the system does not offer it nothing happens.
void PrefaultForWriting(char* data, qsizetype size);

}  // namespace lxt

#include "support/page_prefault.h"

#if defined(__linux__)
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace lxt {

void PrefaultForWriting(char* data, qsizetype size) {
#if defined(__linux__) && defined(MADV_POPULATE_WRITE)
    if (data == nullptr || size <= 0) return;
    // The range starts at a page boundary; the pages are mapped as a write would map them,
    // without writing (the first page may hold other data).
    const auto page = static_cast<quintptr>(sysconf(_SC_PAGESIZE));
    const auto start = reinterpret_cast<quintptr>(data) & ~(page - 1);
    const auto end = reinterpret_cast<quintptr>(data) + static_cast<quintptr>(size);
    madvise(reinterpret_cast<void*>(start), end - start, MADV_POPULATE_WRITE);
#else
    Q_UNUSED(data);
    Q_UNUSED(size);
#endif
}

}  // namespace lxt

#include "support/page_prefault.h"

#include <gtest/gtest.h>

#include <QByteArray>

namespace lxt {
namespace {

// Mapping the pages changes no byte: neither of the buffer nor of what shares its first and
// last pages.
TEST(PrefaultForWritingTest, LeavesEveryByteAsItWas) {
    QByteArray bytes(3 * 1024 * 1024, Qt::Uninitialized);
    for (qsizetype i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i * 7 + 3);
    const QByteArray before = bytes;
    PrefaultForWriting(bytes.data() + 1001, bytes.size() - 5000);
    PrefaultForWriting(bytes.data(), 0);
    PrefaultForWriting(nullptr, 100);
    EXPECT_TRUE(bytes == before);
}

}  // namespace
}  // namespace lxt

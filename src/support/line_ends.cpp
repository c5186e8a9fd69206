#include "support/line_ends.h"

namespace lxt {

qsizetype IndexOfLineEnd(QByteArrayView bytes, qsizetype from) {
    const char* data = bytes.data();
    const qsizetype n = bytes.size();
    for (qsizetype i = from < 0 ? 0 : from; i < n; ++i) {
        if (IsLineEnd(data[i])) return i;
    }
    return -1;
}

qsizetype IndexOfLineEnd(QStringView text, qsizetype from) {
    const qsizetype n = text.size();
    for (qsizetype i = from < 0 ? 0 : from; i < n; ++i) {
        if (IsLineEnd(text[i])) return i;
    }
    return -1;
}

qsizetype LineEndLength(QStringView text, qsizetype at) {
    return text[at] == u'\r' && at + 1 < text.size() && text[at + 1] == u'\n' ? 2 : 1;
}

QList<QStringView> SplitLines(QStringView text) {
    QList<QStringView> lines;
    qsizetype start = 0;
    while (start < text.size()) {
        const qsizetype end = IndexOfLineEnd(text, start);
        if (end < 0) {
            lines.append(text.mid(start));
            break;
        }
        lines.append(text.mid(start, end - start));
        start = end + LineEndLength(text, end);
    }
    return lines;
}

}  // namespace lxt

#include "support/blank_list_lookup.h"

#include <QSet>

namespace lxt {

namespace {

// The words of one list. The copy of the list shares its characters with the caller's
// string, which therefore cannot change without moving to new storage: the same storage and
// length mean the same list.
struct ListWords {
    QString list;
    QSet<QStringView> words;

    bool IsFor(const QString& other) const {
        return other.constData() == list.constData() && other.size() == list.size();
    }

    void Build(const QString& other) {
        list = other;
        words.clear();
        const QStringView view(list);
        // Only a piece with a blank on each side is a word of the list.
        qsizetype start = view.indexOf(u' ');
        while (start >= 0) {
            const qsizetype end = view.indexOf(u' ', start + 1);
            if (end < 0) break;
            words.insert(view.sliced(start + 1, end - start - 1));
            start = end;
        }
    }
};

}  // namespace

bool BlankListHolds(const QString& list, QStringView word) {
    if (list.isEmpty()) return false;
    thread_local ListWords cache;
    if (!cache.IsFor(list)) cache.Build(list);
    return cache.words.contains(word);
}

}  // namespace lxt

#include "cli/machine_listing.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "results/listed_words.h"
#include "run/run_state.h"

namespace lxt::cli {

QByteArray TsvListing(const RunState& run) {
    QByteArray lines;
    for (const qint32 i : ListedEntries(run)) {
        const WordEntry& entry = run.WordTable[i];
        lines += entry.Word().toUtf8() + '\t' + QByteArray::number(entry.frequency) + '\n';
    }
    return lines;
}

QByteArray JsonListing(const RunState& run) {
    QJsonArray words;
    for (const qint32 i : ListedEntries(run)) {
        const WordEntry& entry = run.WordTable[i];
        words.append(QJsonObject{{QStringLiteral("word"), entry.Word().toString()},
                                 {QStringLiteral("frequency"), entry.frequency}});
    }
    const QJsonObject result{{QStringLiteral("wordsInList"), run.lngNumWordsIncluded},
                             {QStringLiteral("wordsIgnored"), run.lngNumWordsExcluded},
                             {QStringLiteral("instancesInList"), run.lngNumOccurrences},
                             {QStringLiteral("totalInstances"), run.lngTotalNumOccurrences},
                             {QStringLiteral("words"), words}};
    return QJsonDocument(result).toJson(QJsonDocument::Compact) + '\n';
}

}  // namespace lxt::cli

#include "support/character_entities.h"

namespace lxt {

namespace {

constexpr char16_t kQuotEntity[] = u"&quot;";

}  // namespace

QString DecodeEntities(const QString& line) {
    const qsizetype firstAmp = line.indexOf(u'&');
    if (firstAmp < 0) return line;
    static const QStringView table(kEntityTable);
    const QStringView quot(kQuotEntity);
    QString out;
    out.reserve(line.size());
    qsizetype pos = 0;
    for (;;) {
        const qsizetype amp = line.indexOf(u'&', pos);
        if (amp < 0) break;
        const qsizetype semi = line.indexOf(u';', amp);
        if (semi < 0) break;
        const QStringView entity = QStringView(line).mid(amp, semi - amp + 1);
        QChar replacement;
        bool known = false;
        if (entity == quot) {
            replacement = u'"';
            known = true;
        } else if (entity.size() <= table.size()) {
            const qsizetype q = table.indexOf(entity);
            if (q >= 0) {
                const qsizetype r = table.indexOf(u';', q) + 1;
                if (r > 0 && r < table.size()) {
                    replacement = table[r];
                    known = true;
                }
            }
        }
        if (known) {
            out += QStringView(line).mid(pos, amp - pos);
            out += replacement;
        } else {
            out += QStringView(line).mid(pos, semi + 1 - pos);
        }
        pos = semi + 1;
    }
    out += QStringView(line).mid(pos);
    return out;
}

}  // namespace lxt

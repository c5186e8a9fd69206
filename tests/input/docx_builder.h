// Builds docx-like ZIP archives for the tests with libzip: any members, stored or deflated,
// and helpers that damage an archive (a wrong CRC, a cut-off end).
#pragma once

#include <zip.h>

#include <QByteArray>
#include <QFile>
#include <QString>
#include <utility>
#include <vector>

namespace lxt::test {

struct ZipMember {
    QByteArray name;
    QByteArray data;
    bool stored = false;
};

// Writes the archive; true on success.
inline bool WriteZip(const QString& path, const std::vector<ZipMember>& members) {
    int error = 0;
    zip_t* archive =
        zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (archive == nullptr) return false;
    for (const ZipMember& m : members) {
        zip_source_t* source = zip_source_buffer(archive, m.data.constData(),
                                                 static_cast<zip_uint64_t>(m.data.size()), 0);
        const zip_int64_t index =
            zip_file_add(archive, m.name.constData(), source, ZIP_FL_OVERWRITE);
        if (index < 0) {
            zip_source_free(source);
            zip_discard(archive);
            return false;
        }
        zip_set_file_compression(archive, static_cast<zip_uint64_t>(index),
                                 m.stored ? ZIP_CM_STORE : ZIP_CM_DEFLATE, 0);
    }
    return zip_close(archive) == 0;
}

// A docx holding word/document.xml with `xml` (and a content-types member beside it).
inline bool WriteDocx(const QString& path, const QByteArray& xml, bool stored = false) {
    return WriteZip(path, {{"[Content_Types].xml", "<?xml version=\"1.0\"?><Types/>", false},
                           {"word/document.xml", xml, stored}});
}

// The CRC-32 of data, as ZIP archives store it.
inline quint32 Crc32(const QByteArray& data) {
    quint32 crc = 0xFFFFFFFFu;
    for (char ch : data) {
        crc ^= static_cast<unsigned char>(ch);
        for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

// Replaces every stored copy of the CRC of `member` in the archive file by a wrong one.
// Returns how many copies were changed.
inline int CorruptCrc(const QString& path, const QByteArray& member) {
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite)) return 0;
    QByteArray bytes = file.readAll();
    const quint32 crc = Crc32(member);
    QByteArray needle(4, '\0');
    for (int i = 0; i < 4; ++i) needle[i] = static_cast<char>((crc >> (8 * i)) & 0xFF);
    int changed = 0;
    for (qsizetype at = bytes.indexOf(needle); at >= 0; at = bytes.indexOf(needle, at + 4)) {
        bytes[at] = static_cast<char>(bytes[at] ^ 0x5A);
        ++changed;
    }
    file.seek(0);
    file.write(bytes);
    return changed;
}

}  // namespace lxt::test

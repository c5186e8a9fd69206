#include "input/docx_member.h"

#include <zip.h>

#include <QFile>
#include <memory>

namespace lxt {

namespace {

constexpr qint64 kChunk = 256 * 1024;

struct ArchiveCloser {
    void operator()(zip_t* archive) const { zip_discard(archive); }
};
struct MemberCloser {
    void operator()(zip_file_t* member) const { zip_fclose(member); }
};

}  // namespace

MemberExtraction ReadDocumentMember(const QString& archivePath, qint64 cap, QByteArray& document) {
    document.clear();
    int openError = 0;
    const QByteArray path = QFile::encodeName(archivePath);
    std::unique_ptr<zip_t, ArchiveCloser> archive(
        zip_open(path.constData(), ZIP_RDONLY, &openError));
    if (!archive) return MemberExtraction::NotArchive;

    const zip_int64_t index = zip_name_locate(archive.get(), kDocumentMember, 0);
    if (index < 0) return MemberExtraction::NoDocument;

    std::unique_ptr<zip_file_t, MemberCloser> member(
        zip_fopen_index(archive.get(), static_cast<zip_uint64_t>(index), 0));
    if (!member) return MemberExtraction::Unreadable;

    // The size the archive claims only sets the first allocation, never beyond the cap.
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_stat_index(archive.get(), static_cast<zip_uint64_t>(index), 0, &stat) == 0 &&
        (stat.valid & ZIP_STAT_SIZE) != 0) {
        document.reserve(static_cast<qsizetype>(qMin<quint64>(stat.size, quint64(cap))));
    }
    qint64 read = 0;
    while (read < cap) {
        const qint64 want = qMin(kChunk, cap - read);
        document.resize(read + want);
        const zip_int64_t got =
            zip_fread(member.get(), document.data() + read, static_cast<zip_uint64_t>(want));
        if (got < 0) {
            document.resize(read);
            const int code = zip_error_code_zip(zip_file_get_error(member.get()));
            if (code == ZIP_ER_CRC) return MemberExtraction::ChecksumError;
            document.clear();
            return MemberExtraction::Unreadable;
        }
        read += got;
        if (got == 0) break;
    }
    document.resize(read);
    return MemberExtraction::Extracted;
}

}  // namespace lxt

#include "input/docx_member.h"

#include <libdeflate.h>
#include <zip.h>

#include <memory>
#include <optional>

#include "support/native_file_name.h"
#include "support/page_prefault.h"

namespace lxt {

namespace {

constexpr qint64 kChunk = 256 * 1024;

struct ArchiveCloser {
    void operator()(zip_t* archive) const { zip_discard(archive); }
};
struct MemberCloser {
    void operator()(zip_file_t* member) const { zip_fclose(member); }
};
struct DecompressorFreer {
    void operator()(libdeflate_decompressor* d) const { libdeflate_free_decompressor(d); }
};

// A deflated member whose sizes the archive gives, within the cap, is inflated whole with
// libdeflate: about twice as fast as streaming it through zlib. Nothing when it cannot be
// done so (another method, encryption, a size missing or above the cap, data that does not
// inflate to exactly the size given): the member is then streamed through libzip, which
// also tells the failures apart.
std::optional<MemberExtraction> InflateWhole(zip_t* archive, zip_uint64_t index,
                                             const zip_stat_t& stat, qint64 cap,
                                             QByteArray& document) {
    constexpr zip_uint64_t kNeeded = ZIP_STAT_SIZE | ZIP_STAT_COMP_SIZE | ZIP_STAT_COMP_METHOD |
                                     ZIP_STAT_CRC | ZIP_STAT_ENCRYPTION_METHOD;
    if ((stat.valid & kNeeded) != kNeeded || stat.comp_method != ZIP_CM_DEFLATE ||
        stat.encryption_method != ZIP_EM_NONE || stat.size > quint64(cap) ||
        stat.comp_size > quint64(cap)) {
        return std::nullopt;
    }
    std::unique_ptr<zip_file_t, MemberCloser> raw(
        zip_fopen_index(archive, index, ZIP_FL_COMPRESSED));
    if (!raw) return std::nullopt;
    QByteArray compressed(static_cast<qsizetype>(stat.comp_size), Qt::Uninitialized);
    if (zip_fread(raw.get(), compressed.data(), stat.comp_size) !=
        static_cast<zip_int64_t>(stat.comp_size)) {
        return std::nullopt;
    }
    std::unique_ptr<libdeflate_decompressor, DecompressorFreer> decompressor(
        libdeflate_alloc_decompressor());
    if (!decompressor) return std::nullopt;
    document.resize(static_cast<qsizetype>(stat.size));
    // The document is written whole at once: its pages are mapped in one go.
    PrefaultForWriting(document.data(), document.size());
    size_t inflated = 0;
    if (libdeflate_deflate_decompress(decompressor.get(), compressed.constData(),
                                      static_cast<size_t>(compressed.size()), document.data(),
                                      static_cast<size_t>(document.size()),
                                      &inflated) != LIBDEFLATE_SUCCESS ||
        inflated != stat.size) {
        document.clear();
        return std::nullopt;
    }
    if (libdeflate_crc32(0, document.constData(), static_cast<size_t>(document.size())) !=
        stat.crc) {
        return MemberExtraction::ChecksumError;
    }
    return MemberExtraction::Extracted;
}

}  // namespace

MemberExtraction ReadDocumentMember(const QString& archivePath, qint64 cap, QByteArray& document) {
    document.clear();
    int openError = 0;
    const QByteArray path = EncodeFileName(archivePath);
    std::unique_ptr<zip_t, ArchiveCloser> archive(
        zip_open(path.constData(), ZIP_RDONLY, &openError));
    if (!archive) return MemberExtraction::NotArchive;

    const zip_int64_t index = zip_name_locate(archive.get(), kDocumentMember, 0);
    if (index < 0) return MemberExtraction::NoDocument;

    zip_stat_t stat;
    zip_stat_init(&stat);
    const bool stated =
        zip_stat_index(archive.get(), static_cast<zip_uint64_t>(index), 0, &stat) == 0;
    if (stated) {
        if (const std::optional<MemberExtraction> whole = InflateWhole(
                archive.get(), static_cast<zip_uint64_t>(index), stat, cap, document)) {
            return *whole;
        }
    }

    std::unique_ptr<zip_file_t, MemberCloser> member(
        zip_fopen_index(archive.get(), static_cast<zip_uint64_t>(index), 0));
    if (!member) return MemberExtraction::Unreadable;
    // The size the archive claims only sets the first allocation, never beyond the cap.
    if (stated && (stat.valid & ZIP_STAT_SIZE) != 0) {
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

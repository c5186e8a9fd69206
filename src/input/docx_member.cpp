#include "input/docx_member.h"

#include <zip.h>

#include <QDir>
#include <QFile>
#include <memory>
#include <vector>

#include "support/native_file_name.h"

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

MemberExtraction ExtractDocumentMember(const QString& archivePath, const QString& destinationFolder,
                                       qint64 cap) {
    int openError = 0;
    const QByteArray path = EncodeFileName(archivePath);
    std::unique_ptr<zip_t, ArchiveCloser> archive(
        zip_open(path.constData(), ZIP_RDONLY, &openError));
    if (!archive) return MemberExtraction::NotArchive;

    const zip_int64_t index = zip_name_locate(archive.get(), kDocumentMember, 0);
    if (index < 0) return MemberExtraction::NoDocument;

    std::unique_ptr<zip_file_t, MemberCloser> member(
        zip_fopen_index(archive.get(), static_cast<zip_uint64_t>(index), 0));
    if (!member) return MemberExtraction::Unreadable;

    const QString wordFolder = destinationFolder + QStringLiteral("word");
    if (!QDir().mkpath(wordFolder)) return MemberExtraction::WriteFailed;
    QFile out(wordFolder + QStringLiteral("/document.xml"));
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        return MemberExtraction::WriteFailed;
    }

    std::vector<char> buffer(static_cast<size_t>(kChunk));
    qint64 written = 0;
    while (written < cap) {
        const zip_uint64_t want = static_cast<zip_uint64_t>(qMin(kChunk, cap - written));
        const zip_int64_t got = zip_fread(member.get(), buffer.data(), want);
        if (got < 0) {
            const int code = zip_error_code_zip(zip_file_get_error(member.get()));
            return code == ZIP_ER_CRC ? MemberExtraction::ChecksumError
                                      : MemberExtraction::Unreadable;
        }
        if (got == 0) break;
        if (out.write(buffer.data(), got) != got) return MemberExtraction::WriteFailed;
        written += got;
    }
    if (!out.flush()) return MemberExtraction::WriteFailed;
    return MemberExtraction::Extracted;
}

}  // namespace lxt

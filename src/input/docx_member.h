// Reading the text member "word/document.xml" of a docx (ZIP) archive into memory, streamed
// through libzip with a size cap: whatever the archive's headers claim, at most `cap` bytes
// are ever held, so a ZIP bomb cannot fill the memory.
#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

namespace lxt {

inline constexpr char kDocumentMember[] = "word/document.xml";

enum class MemberExtraction {
    Extracted,      // the member was read whole, or up to the cap
    ChecksumError,  // the member was read whole but its CRC does not match
    NotArchive,     // not a ZIP archive, or a damaged or truncated one
    NoDocument,     // a ZIP archive without word/document.xml
    Unreadable      // the member could not be decompressed (damaged, encrypted)
};

// Reads the member into `document`. At most `cap` bytes are read; a member longer than that
// is cut there, so its size tells the caller that it is too big. On a checksum error the
// document holds every byte read; on the other failures it is empty.
MemberExtraction ReadDocumentMember(const QString& archivePath, qint64 cap, QByteArray& document);

}  // namespace lxt

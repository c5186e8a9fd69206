// Extraction of the text member "word/document.xml" of a docx (ZIP) archive into a
// folder, streamed through libzip with a size cap: whatever the archive's headers claim,
// at most `cap` bytes are ever written, so a ZIP bomb cannot fill the disk or the memory.
#pragma once

#include <QString>
#include <QtGlobal>

namespace lxt {

inline constexpr char kDocumentMember[] = "word/document.xml";

enum class MemberExtraction {
    Extracted,      // the member was written whole, or up to the cap
    ChecksumError,  // the member was written whole but its CRC does not match
    NotArchive,     // not a ZIP archive, or a damaged or truncated one
    NoDocument,     // a ZIP archive without word/document.xml
    Unreadable,     // the member could not be decompressed (damaged, encrypted)
    WriteFailed     // the member could not be written to the folder
};

// Writes the member to destinationFolder + "word/document.xml" (the folder ends with a
// separator; the "word" folder is made). At most `cap` bytes are written; a member longer
// than that is cut there, so its written size tells the caller that it is too big.
MemberExtraction ExtractDocumentMember(const QString& archivePath, const QString& destinationFolder,
                                       qint64 cap);

}  // namespace lxt

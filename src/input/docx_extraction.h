// Docx text extraction: a private temporary folder for the count, the member
// word/document.xml read whole into memory (never more than the maximum document size plus
// one byte) and cut into text-run pieces, and the text of the pieces as the count reads it.
// A damaged or foreign archive is refused with a message; the program never ends because
// of one.
#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>
#include <memory>

#include "input/docx_member.h"
#include "input/docx_text_runs.h"
#include "support/private_temp_folder.h"

namespace lxt {

// Title of the large-document question and the opening of the checksum question.
inline constexpr char kBigFileTitle[] = "Big file";
inline constexpr char kInvalidChecksumText[] = "Invalid checksum found when processing";

struct RunState;
class Ui;

inline constexpr qint64 kDocxWarningSize = 10 * 1024 * 1024;  // 10,485,760 bytes
inline constexpr qint64 kDocxMaximumSize = 20 * 1024 * 1024;  // 20,971,520 bytes
inline constexpr char kTemporaryFolderTag[] = "LXT";
// Title of the checksum question.
inline constexpr char kApplicationTitle[] = "LXT";

// Results of the docx preparation (a document size of 0 or more on success).
inline constexpr qint32 kDocxNoTemporaryFolder = -1;
inline constexpr qint32 kDocxChecksumDeclined = -2;
inline constexpr qint32 kDocxChecksumError = -3;
inline constexpr qint32 kDocxTooBig = -4;
inline constexpr qint32 kDocxBigDeclined = -5;
inline constexpr qint32 kDocxDamaged = -6;     // not a ZIP archive, damaged or truncated
inline constexpr qint32 kDocxNoDocument = -7;  // no word/document.xml in the archive

// The docx state shared by the file scan and the extraction.
struct DocxState {
    bool blnDocx = false;
    std::unique_ptr<PrivateTempFolder> tempFolder;
    QString strTempFolder;  // tempFolder's path with a final separator, or empty
    // The bytes of word/document.xml, held from the preparation until they are read. The
    // check before a count and the count itself both prepare the document: while the
    // archive is unchanged (the stamp: its device, file number, size and modification
    // time), the second preparation takes the bytes the first one read, so that the
    // document is inflated once per count.
    QByteArray document;
    QByteArray documentStamp;
    MemberExtraction documentRead = MemberExtraction::NotArchive;
    qint64 lngDocumentSize = 0;
    qint64 lngWarningSize = kDocxWarningSize;
    qint64 lngMaximumSize = kDocxMaximumSize;
};

// Makes the temporary folder and reads the document into memory (or takes the one held for
// the same, unchanged archive). Returns the document size, or a negative result; on every
// negative result the temporary folder is already removed and the document let go.
qint32 PrepareDocx(RunState& run, DocxState& docx, const QString& fileName, const QString& tag,
                   bool askOnChecksum, bool askOnSize, const QString& extension);

// The message the file scan shows for a negative preparation result (none for -2 and -5).
void ShowDocxPreparationFailure(Ui& ui, qint32 result, const QString& fileName);

// Removes the temporary folder with everything in it; false only when that failed.
bool RemoveTemporaryFolder(DocxState& docx);

// Lets the document held in memory go.
void ReleaseDocument(DocxState& docx);

// Lets the document go, then (unless keepFolder) removes the temporary folder; with
// showMessages a failure to remove it is shown.
void RemoveDocument(Ui& ui, DocxState& docx, bool showMessages, bool keepFolder);

// Cuts the document into pieces, lets it go and gives their text as the count reads it in
// `text` (UTF-8, CR LF after each piece that ends a sentence). A stop request empties the
// text. Returns the description of an error, or empty.
QString ReadDocx(RunState& run, DocxState& docx, bool showMessages, QByteArray& text, qint64& total,
                 bool keepFolder, bool showProgress);

// Calls End on the docx state when it goes out of scope, whatever path left the scope.
template <auto End>
class DocxScopeEnd {
  public:
    explicit DocxScopeEnd(DocxState& docx) : docx_(docx) {}
    ~DocxScopeEnd() { End(docx_); }
    DocxScopeEnd(const DocxScopeEnd&) = delete;
    DocxScopeEnd& operator=(const DocxScopeEnd&) = delete;

  private:
    DocxState& docx_;
};

// Removes the temporary folder when it goes out of scope.
using TemporaryFolderGuard = DocxScopeEnd<RemoveTemporaryFolder>;
// Lets the document go when it goes out of scope.
using DocumentRelease = DocxScopeEnd<ReleaseDocument>;

}  // namespace lxt

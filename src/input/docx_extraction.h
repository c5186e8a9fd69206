// Docx text extraction: a private temporary folder, the member word/document.xml unpacked
// into it (never more than the maximum document size plus one byte), the document read
// whole and cut into text-run pieces, and the removal of everything it wrote. A damaged or
// foreign archive is refused with a message; the program never ends because of one.
#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <memory>

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
inline constexpr qint32 kDocxDamaged = -6;      // not a ZIP archive, damaged or truncated
inline constexpr qint32 kDocxNoDocument = -7;   // no word/document.xml in the archive
inline constexpr qint32 kDocxWriteFailed = -8;  // the document could not be written

// The docx state shared by the file scan and the extraction.
struct DocxState {
    bool blnDocx = false;
    std::unique_ptr<PrivateTempFolder> tempFolder;
    QString strTempFolder;    // tempFolder's path with a final separator, or empty
    QString strDocumentPath;  // strTempFolder + "word/document.xml"
    qint64 lngDocumentSize = 0;
    QStringList strPieces{QString()};
    qint64 lngWarningSize = kDocxWarningSize;
    qint64 lngMaximumSize = kDocxMaximumSize;
};

// Makes the temporary folder and unpacks the document into it. Returns the document size,
// or a negative result; on every negative result the temporary folder is already removed.
qint32 PrepareDocx(RunState& run, DocxState& docx, const QString& fileName, const QString& tag,
                   bool askOnChecksum, bool askOnSize, const QString& extension);

// The message the file scan shows for a negative preparation result (none for -2 and -5).
void ShowDocxPreparationFailure(Ui& ui, qint32 result, const QString& fileName);

// Removes the temporary folder with everything in it; false only when that failed.
bool RemoveTemporaryFolder(DocxState& docx);

// Deletes the document file, then the "word" folder, then (unless keepFolder) the
// temporary folder; with showMessages a failure is shown and the removal stops.
void RemoveDocument(Ui& ui, DocxState& docx, bool showMessages, bool keepFolder);

// Reads the document whole, removes it and cuts it into pieces. With piecesOnly the pieces
// stay in docx.strPieces and text is emptied; otherwise text gets all pieces joined. A stop
// request empties the pieces. Returns the description of an error, or empty.
QString ReadDocx(RunState& run, DocxState& docx, bool showMessages, QString& text, qint64& total,
                 bool piecesOnly, bool keepFolder, bool showProgress);

// Writes pieces first..last to a new file, each as it is, with CR LF after a piece that,
// without its trailing blanks, ends with ".". Returns the description of an error, or empty.
// The file is written in UTF-8, so that no character of the document is lost.
QString WritePieces(const QString& fileName, const QStringList& pieces, qsizetype first,
                    qsizetype last);

// Removes the temporary folder when it goes out of scope, whatever path left the scope.
class TemporaryFolderGuard {
  public:
    explicit TemporaryFolderGuard(DocxState& docx) : docx_(docx) {}
    ~TemporaryFolderGuard() { RemoveTemporaryFolder(docx_); }
    TemporaryFolderGuard(const TemporaryFolderGuard&) = delete;
    TemporaryFolderGuard& operator=(const TemporaryFolderGuard&) = delete;

  private:
    DocxState& docx_;
};

}  // namespace lxt

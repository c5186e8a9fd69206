#include "input/docx_extraction.h"

#include <sys/stat.h>

#include <QDir>
#include <QFileInfo>
#include <exception>
#include <new>
#include <utility>

#include "input/docx_text_runs.h"
#include "run/run_error.h"
#include "run/run_state.h"
#include "support/catalogue.h"
#include "support/folder_proc.h"
#include "support/message_numbers.h"
#include "support/native_file_name.h"
#include "support/text_literals.h"
#include "support/ui.h"

namespace lxt {

namespace {

qint32 Fail(DocxState& docx, qint32 result) {
    RemoveTemporaryFolder(docx);
    ReleaseDocument(docx);
    return result;
}

// What tells one version of an archive from another: its device, file number, size and
// modification time. Empty when the file cannot be examined.
QByteArray ArchiveStamp(const QString& path) {
    struct stat info {};
    if (::stat(EncodeFileName(path).constData(), &info) != 0) return QByteArray();
    const qint64 fields[] = {qint64(info.st_dev),          qint64(info.st_ino),
                             qint64(info.st_size),         qint64(info.st_mtim.tv_sec),
                             qint64(info.st_mtim.tv_nsec), qint64(info.st_ctim.tv_sec),
                             qint64(info.st_ctim.tv_nsec)};
    return QByteArray(reinterpret_cast<const char*>(fields), sizeof fields);
}

}  // namespace

void ReleaseDocument(DocxState& docx) {
    docx.document = QByteArray();
    docx.documentStamp.clear();
}

bool RemoveTemporaryFolder(DocxState& docx) {
    docx.tempFolder.reset();
    return docx.strTempFolder.isEmpty() || !QFileInfo(docx.strTempFolder).isDir();
}

qint32 PrepareDocx(RunState& run, DocxState& docx, const QString& fileName, const QString& tag,
                   bool askOnChecksum, bool askOnSize, const QString& extension) {
    docx.tempFolder = std::make_unique<PrivateTempFolder>(tag);
    if (!docx.tempFolder->IsValid()) {
        docx.tempFolder.reset();
        docx.strTempFolder.clear();
        return kDocxNoTemporaryFolder;
    }
    docx.strTempFolder = docx.tempFolder->Path() + QDir::separator();
    if (extension == QLatin1String("docx")) docx.blnDocx = true;

    // The cap: one byte more than the maximum is enough to tell that a document is too big.
    const QByteArray stamp = ArchiveStamp(fileName);
    if (stamp.isEmpty() || stamp != docx.documentStamp) {
        docx.documentRead = ReadDocumentMember(fileName, docx.lngMaximumSize + 1, docx.document);
        docx.documentStamp = stamp;
    }
    switch (docx.documentRead) {
        case MemberExtraction::Extracted:
            break;
        case MemberExtraction::ChecksumError: {
            if (!askOnChecksum) return Fail(docx, kDocxChecksumError);
            const QString question = QLatin1String(kInvalidChecksumText) + kCrLf + fileName +
                                     kCrLf + kCrLf +
                                     QStringLiteral("Do you wish to scan this file anyway?");
            if (run.ui.MsgBox(question, QString::fromLatin1(kApplicationTitle), MsgButtons::YesNo,
                              MsgIcon::None) != MsgResult::Yes) {
                return Fail(docx, kDocxChecksumDeclined);
            }
            break;
        }
        case MemberExtraction::NotArchive:
        case MemberExtraction::Unreadable:
            return Fail(docx, kDocxDamaged);
        case MemberExtraction::NoDocument:
            return Fail(docx, kDocxNoDocument);
    }

    docx.lngDocumentSize = docx.document.size();
    if (docx.lngDocumentSize > docx.lngMaximumSize) return Fail(docx, kDocxTooBig);
    if (docx.lngDocumentSize > docx.lngWarningSize && askOnSize) {
        const QString title = QLatin1String(kBigFileTitle);
        const QString question = fileName + kCrLf +
                                 QStringLiteral("is rather large.  It may take awhile to scan.") +
                                 kCrLf + QStringLiteral("Do you wish to continue?");
        if (run.ui.MsgBox(question, title, MsgButtons::YesNo, MsgIcon::None, 2) != MsgResult::Yes) {
            run.ui.MsgBox(QStringLiteral("You could try saving it as a text file") + kCrLf +
                              QStringLiteral("and applying this program to that file."),
                          title, MsgButtons::Ok, MsgIcon::None);
            return Fail(docx, kDocxBigDeclined);
        }
    }
    return static_cast<qint32>(docx.lngDocumentSize);
}

void ShowDocxPreparationFailure(Ui& ui, qint32 result, const QString& fileName) {
    const QString error = QStringLiteral("Error");
    switch (result) {
        case kDocxNoTemporaryFolder:
            ui.MsgBox(QStringLiteral("Unable to create temporary folder."), Message(kMsgTitleError),
                      MsgButtons::Ok, MsgIcon::Exclamation);
            break;
        case kDocxChecksumError:
            ui.MsgBox(QLatin1String(kInvalidChecksumText) + kCrLf + fileName, error, MsgButtons::Ok,
                      MsgIcon::Exclamation);
            break;
        case kDocxTooBig:
            ui.MsgBox(fileName + kCrLf + QStringLiteral("is too large to be scanned directly.") +
                          kCrLf + kCrLf + QStringLiteral("Recommend saving it as a text file and") +
                          kCrLf + QStringLiteral("applying this program to that file."),
                      QStringLiteral("File too big"), MsgButtons::Ok, MsgIcon::Information);
            break;
        case kDocxDamaged:
            ui.MsgBox(QStringLiteral("File ") + fileName + kCrLf +
                          QStringLiteral("is damaged or is not a Word 'docx' file, so its text "
                                         "cannot be read."),
                      error, MsgButtons::Ok, MsgIcon::Exclamation);
            break;
        case kDocxNoDocument:
            ui.MsgBox(QStringLiteral("File ") + fileName + kCrLf +
                          QStringLiteral("holds no Word document text (word/document.xml is "
                                         "missing)."),
                      error, MsgButtons::Ok, MsgIcon::Exclamation);
            break;
        default:
            break;  // -2 and -5: the user has already answered
    }
}

void RemoveDocument(Ui& ui, DocxState& docx, bool showMessages, bool keepFolder) {
    ReleaseDocument(docx);
    if (keepFolder || docx.strTempFolder.isEmpty() || !QFileInfo(docx.strTempFolder).isDir()) {
        return;
    }
    QString description;
    if (DeleteFolderTree(docx.strTempFolder, description, true)) {
        docx.tempFolder.reset();
    } else if (showMessages) {
        ui.MsgBox(
            description + QStringLiteral(" when attempting to delete folder ") + docx.strTempFolder,
            QStringLiteral("Error"), MsgButtons::Ok, MsgIcon::Exclamation);
    }
}

QString ReadDocx(RunState& run, DocxState& docx, bool showMessages, QByteArray& text, qint64& total,
                 bool keepFolder, bool showProgress) {
    TextRunPieces pieces;
    pieces.text = std::exchange(docx.document, QByteArray());
    QString error;
    try {
        ScanTextRuns(run, pieces, total, showProgress);
    } catch (const RunError& e) {
        error = e.description;
    } catch (const std::bad_alloc&) {
        error = QStringLiteral("Out of memory");
    }
    RemoveDocument(run.ui, docx, showMessages, keepFolder);
    text = error.isEmpty() && !run.blnStop ? std::move(pieces.text) : QByteArray();
    return error;
}

}  // namespace lxt

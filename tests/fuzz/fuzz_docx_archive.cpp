// Reading a docx archive: the member word/document.xml read from any file, with a small
// size cap.

#include "fuzz_support.h"
#include "input/docx_member.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace lxt;
    const QString archive = fuzz::WriteInput(QStringLiteral("input.docx"), data, size);
    QByteArray document;
    ReadDocumentMember(archive, 1 << 20, document);
    return 0;
}

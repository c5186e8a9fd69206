// Reading a docx archive: the member word/document.xml unpacked from any file, with a small
// size cap.
#include <QDir>

#include "fuzz_support.h"
#include "input/docx_member.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace lxt;
    const QString archive = fuzz::WriteInput(QStringLiteral("input.docx"), data, size);
    PrivateTempFolder destination;
    if (!destination.IsValid()) return 0;
    ExtractDocumentMember(archive, destination.Path() + QDir::separator(), 1 << 20);
    return 0;
}

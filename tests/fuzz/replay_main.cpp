// Without libFuzzer (a compiler other than clang), each harness is a program that runs its
// function once over every file of the folders or files it is given: the seed corpora are
// replayed by the ordinary test run.
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <cstdint>
#include <cstdio>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

bool Replay(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s\n", qPrintable(path));
        return false;
    }
    const QByteArray bytes = file.readAll();
    LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.constData()),
                           static_cast<size_t>(bytes.size()));
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    int replayed = 0;
    for (int i = 1; i < argc; ++i) {
        const QString given = QFile::decodeName(argv[i]);
        if (!QFileInfo(given).isDir()) {
            if (!Replay(given)) return 1;
            ++replayed;
            continue;
        }
        QDirIterator it(given, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            if (!Replay(it.next())) return 1;
            ++replayed;
        }
    }
    std::printf("%d inputs replayed\n", replayed);
    return replayed > 0 ? 0 : 1;
}

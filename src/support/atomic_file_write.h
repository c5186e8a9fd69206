// Writing a small file whole or not at all: the bytes go to a new file in the same folder,
// are flushed to the disk and checked, and only then does that file take the target's name.
// A full disk or any other failure leaves the old file as it was and no temporary file behind.
// The target is named by its bytes (native_file_name.h), so any name the system allows works.
#pragma once

#include <QByteArray>
#include <QString>

namespace lxt {

// Replaces (or makes) the file at `path` with `bytes`; an existing file keeps its permissions,
// and a symbolic link is followed. Returns the system's description of a failure, or an empty
// text on success.
QString WriteFileAtomically(const QString& path, const QByteArray& bytes);

}  // namespace lxt

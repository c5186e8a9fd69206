// Standard input counted as a file: it is read to its end into a file of a private temporary
// folder, where the checks, the inspection and the scan take it like any other input file
// (so binary, UTF-16 or empty input is refused as such a file would be).
#pragma once

#include <QString>

namespace lxt {
class PrivateTempFolder;
}

namespace lxt::cli {

// The name messages give to standard input.
inline constexpr char kStandardInputShownName[] = "(standard input)";

struct StandardInputCopy {
    QString path;   // the copy, when made
    QString error;  // why it could not be made, empty on success
};

// Reads standard input (file descriptor `fd`) to its end into a file in `folder`.
StandardInputCopy CopyStandardInput(const PrivateTempFolder& folder, int fd = 0);

}  // namespace lxt::cli

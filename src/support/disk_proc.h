// Drive services: the first fixed disk of the machine, where drives have letters.
#pragma once

#include <QString>

namespace lxt {

// The first drive from C: to Z: that is a fixed disk, as letter and colon ("C:"), or empty.
// Only Windows has drive letters: elsewhere the result is always empty, and callers use the
// system's temporary folder and the user's configuration folder instead.
QString FirstFixedDrive();

}  // namespace lxt

// Where the program's data files (catalogue, common-words files, manual) live: beside the
// executable when it runs from its build folder, else in ../share/lxt relative to it, as an
// installed program has them.
#pragma once

#include <QString>

namespace lxt {

// The file whose presence marks a folder as the data folder.
inline constexpr char kDataMarkerFile[] = "lxt.dat";
// The data folder of an installed program, relative to its executable's folder.
inline constexpr char kInstalledDataFolder[] = "../share/lxt";

// The data folder for an executable in `executableFolder`: that folder when it holds the
// catalogue, else ../share/lxt when that holds it, else the executable's folder (whose
// missing catalogue is then reported).
QString DataFolderOf(const QString& executableFolder);

// DataFolderOf the running program's folder, in native separators.
QString DataFolder();

}  // namespace lxt

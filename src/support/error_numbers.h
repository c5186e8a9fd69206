// The error numbers that run errors and file failures carry into the error report.
#pragma once

namespace lxt {

inline constexpr int kErrOutputBoxFull = -6;  // raised by the listing
inline constexpr int kErrOverflow = 6;        // a count past 2,147,483,647
inline constexpr int kErrOutOfMemory = 7;
inline constexpr int kErrFileNotFound = 53;
inline constexpr int kErrDeviceIo = 57;
inline constexpr int kErrDiskFull = 61;
inline constexpr int kErrPermissionDenied = 70;  // a locked or read-only file
inline constexpr int kErrPathFileAccess = 75;
inline constexpr int kErrPathNotFound = 76;

}  // namespace lxt

// A private temporary folder: made in the system's temporary folder with "LXT" and a unique
// suffix in its name, readable by its owner only (0700), and removed with everything in it
// when the object goes, and also when the program is ended by SIGINT, SIGTERM or SIGHUP.
#pragma once

#include <QString>
#include <QTemporaryDir>
#include <optional>

namespace lxt {

class PrivateTempFolder {
  public:
    // Makes the folder (the tag starts its name); IsValid() tells whether that worked.
    explicit PrivateTempFolder(const QString& tag = QStringLiteral("LXT"));
    ~PrivateTempFolder();
    PrivateTempFolder(const PrivateTempFolder&) = delete;
    PrivateTempFolder& operator=(const PrivateTempFolder&) = delete;

    bool IsValid() const { return slot_ >= 0; }
    // The folder's path without a final separator; empty when the folder could not be made.
    QString Path() const;
    // The path of a file in the folder.
    QString FilePath(const QString& name) const;
    // Why the folder could not be made.
    QString ErrorString() const { return error_; }

  private:
    std::optional<QTemporaryDir> dir_;
    int slot_ = -1;
    QString error_;
};

// Removes every private temporary folder still present. Safe to call from a signal handler:
// a handler of the program's own that ends the program calls it first.
void RemovePrivateTempFoldersNow() noexcept;

}  // namespace lxt

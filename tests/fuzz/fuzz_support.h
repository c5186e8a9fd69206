// Shared pieces of the fuzzing harnesses: a Ui that shows nothing and answers every question
// with its default, and a private file the harnesses that read files write each input to.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "support/private_temp_folder.h"
#include "support/ui.h"

namespace lxt::fuzz {

class QuietUi : public Ui {
  public:
    MsgResult MsgBox(const QString&, const QString&, MsgButtons buttons, MsgIcon, int) override {
        return buttons == MsgButtons::YesNo || buttons == MsgButtons::YesNoCancel ? MsgResult::Yes
                                                                                  : MsgResult::Ok;
    }
    std::optional<QString> InputBox(const QString&, const QString&, const QString&) override {
        return std::nullopt;
    }
    void DoEvents() override {}
};

inline QByteArray Bytes(const uint8_t* data, size_t size) {
    return QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
}

// Writes the input to `name` in a private folder kept for as long as the harness runs, and
// gives the file's path.
inline QString WriteInput(const QString& name, const uint8_t* data, size_t size) {
    static PrivateTempFolder folder;
    const QString path = folder.FilePath(name);
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    }
    return path;
}

}  // namespace lxt::fuzz

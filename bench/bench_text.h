// Shared pieces of the benchmarks: a Ui that shows nothing and answers every question the
// same way, and the English prose they count (the licence texts Debian ships, or the file
// named by LXT_BENCH_TEXT).
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringList>
#include <optional>

#include "support/ui.h"

namespace lxt::bench {

// About this many bytes of prose are counted per benchmark iteration.
inline constexpr qsizetype kCorpusBytes = 8 * 1024 * 1024;

class SilentUi : public Ui {
  public:
    explicit SilentUi(MsgResult answer = MsgResult::Ok) : answer_(answer) {}
    MsgResult MsgBox(const QString&, const QString&, MsgButtons, MsgIcon, int) override {
        return answer_;
    }
    std::optional<QString> InputBox(const QString&, const QString&, const QString&) override {
        return std::nullopt;
    }
    void DoEvents() override {}

  private:
    MsgResult answer_;
};

// The prose once, with its own line ends.
inline QByteArray BenchProse() {
    QByteArray text;
    const QByteArray own = qgetenv("LXT_BENCH_TEXT");
    const QStringList files =
        own.isEmpty() ? QStringList{QStringLiteral("/usr/share/common-licenses/GPL-3"),
                                    QStringLiteral("/usr/share/common-licenses/Apache-2.0"),
                                    QStringLiteral("/usr/share/common-licenses/GFDL-1.3")}
                      : QStringList{QString::fromLocal8Bit(own)};
    for (const QString& name : files) {
        QFile f(name);
        if (f.open(QIODevice::ReadOnly)) text += f.readAll();
    }
    if (text.isEmpty()) text = "The quick brown fox jumps over the lazy dog, doesn't it?\n";
    return text;
}

}  // namespace lxt::bench

// File names as the system holds them: bytes, which need not be valid UTF-8. A name read
// from the system becomes text in which each byte that is not part of valid UTF-8 is one
// lone surrogate U+DC80..U+DCFF, so that writing the text back gives exactly the bytes read.
// A name that is valid UTF-8 is its ordinary text.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <QStringView>

namespace lxt {

// The text of a file name's bytes; bytes outside valid UTF-8 become U+DC80..U+DCFF.
QString DecodeFileName(QByteArrayView bytes);

// The bytes of a file name: UTF-8, with each U+DC80..U+DCFF back as the byte it stands for.
// Another lone surrogate, which no decoded name holds, becomes U+FFFD.
QByteArray EncodeFileName(QStringView name);

// The name as it is shown to the user: each byte that is not UTF-8 becomes U+FFFD.
QString ShownFileName(QStringView name);

// The program's arguments, the program's name first, each decoded as a file name. Unlike
// QCoreApplication::arguments(), a name that is not UTF-8 keeps its bytes.
QStringList DecodeArguments(int argc, const char* const* argv);

}  // namespace lxt

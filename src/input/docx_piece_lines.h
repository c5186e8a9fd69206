// The lines of a docx's text, read straight from its pieces. The text is the pieces joined,
// with CR LF after each piece that ends a sentence (PiecesText); its lines, and the bytes
// each takes, are those the line reader finds in that text read as UTF-8, without encoding
// the text and decoding it again.
#pragma once

#include <QStringList>
#include <QtGlobal>
#include <memory>

#include "input/line_source.h"

namespace lxt {

struct DocxTextLines {
    std::unique_ptr<LineSource> lines;
    qint64 bytes = 0;  // the length of the text in UTF-8
};

// Takes the pieces. When a piece holds half a surrogate pair, or a line is as long as the
// line reader's longest line (which it hands over in parts), the text is made and read by
// the line reader itself.
DocxTextLines LinesOfPieces(QStringList pieces);

}  // namespace lxt

#include "input/docx_piece_lines.h"

#include <gtest/gtest.h>

#include <QRandomGenerator>

#include "input/docx_extraction.h"
#include "input/text_line_reader.h"

namespace lxt {
namespace {

// Every line of a source with what the reading loop takes from it.
struct Line {
    QString text;
    bool ended = false;
    qint64 bytes = 0;
    int endBytes = 0;
    bool operator==(const Line&) const = default;
};

std::vector<Line> ReadAll(LineSource& source) {
    std::vector<Line> lines;
    Line line;
    while (source.ReadLine(line.text, line.ended)) {
        line.bytes = source.LastLineBytes();
        line.endBytes = source.LastLineEndBytes();
        lines.push_back(line);
    }
    return lines;
}

// The lines read straight from the pieces are those of their text read by the line reader.
void ExpectSameAsTheText(const QStringList& pieces) {
    const QByteArray text = PiecesText(pieces, 0, pieces.size() - 1);
    TextLineReader reader(text, LineEncoding::Utf8);
    DocxTextLines direct = LinesOfPieces(pieces);
    EXPECT_EQ(direct.bytes, text.size()) << pieces.join('|').toStdString();
    EXPECT_EQ(ReadAll(*direct.lines), ReadAll(reader)) << pieces.join('|').toStdString();
}

TEST(DocxPieceLines, ReadAsTheLineReaderReadsTheirText) {
    const QChar high(0xD83D);
    const QChar low(0xDE00);
    const QList<QStringList> cases = {
        {},
        {"one"},
        {"Hello ", "world.  ", "Next", " one.", "x"},
        {"a.", "b.", "c."},
        // Line ends inside pieces, a CR LF split between two pieces, empty pieces.
        {"a\nb", "c\r", "\nd", "", "e\r\r\nf. ", "\r"},
        {"x.\r", "\n", "", "."},
        {"\n", "\r\n", "end."},
        // Characters of two, three and four bytes.
        {QString::fromUtf8("caf\xC3\xA9 \xE2\x80\x9C"), QString("q") + high + low + ".", "z"},
        // Halves of a pair in two pieces, and a lone half: the text is read by the reader.
        {QString("a") + high, low + QString("b.")},
        {QString(low), "c"},
    };
    for (const QStringList& pieces : cases) ExpectSameAsTheText(pieces);
}

TEST(DocxPieceLines, LongLinesAndManyPiecesReadAlike) {
    // A line as long as the reader's longest comes in parts: read by the reader itself.
    const QStringList longLine(TextLineReader::kMaxLineBytes / 8 + 1, QStringLiteral("a word, "));
    ExpectSameAsTheText(longLine);
    // One byte shorter than that is still read straight from the pieces.
    ExpectSameAsTheText({QString(TextLineReader::kMaxLineBytes - 1, u'b') + ".", "c"});

    // Random pieces over several blocks of the reader.
    QRandomGenerator random(16);
    const QString alphabet = QString::fromUtf8("ab .\r\n\xC3\xA9\xE2\x82\xAC");
    QStringList pieces;
    qint64 size = 0;
    while (size < 3 * TextLineReader::kBlockSize) {
        QString piece;
        const int length = random.bounded(0, 60);
        for (int i = 0; i < length; ++i) piece += alphabet[random.bounded(alphabet.size())];
        size += piece.size();
        pieces << piece;
    }
    ExpectSameAsTheText(pieces);
}

}  // namespace
}  // namespace lxt

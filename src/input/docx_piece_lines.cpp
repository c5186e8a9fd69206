#include "input/docx_piece_lines.h"

#include <utility>
#include <vector>

#include "input/docx_extraction.h"
#include "input/text_line_reader.h"
#include "support/line_ends.h"

namespace lxt {

namespace {

bool IsSurrogate(char16_t c) {
    return (c & 0xF800) == 0xD800;
}

// The bytes of text in UTF-8 where it holds surrogates: -1 when it holds half a pair.
qint64 Utf8LengthWithPairs(QStringView text) {
    qint64 bytes = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (!IsSurrogate(c)) {
            bytes += 1 + (c >= 0x80) + (c >= 0x800);
        } else if (QChar::isHighSurrogate(c) && i + 1 < text.size() &&
                   text[i + 1].isLowSurrogate()) {
            bytes += 4;
            ++i;
        } else {
            return -1;
        }
    }
    return bytes;
}

// The bytes of the text in UTF-8, or -1 when it holds half a surrogate pair; lineEnds tells
// whether it holds a CR or an LF. One pass without branches for the usual text.
qint64 Utf8Length(QStringView text, bool& lineEnds) {
    qint64 bytes = 0;
    bool surrogates = false;
    bool ends = false;
    for (const QChar ch : text) {
        const char16_t c = ch.unicode();
        bytes += 1 + (c >= 0x80) + (c >= 0x800);
        surrogates |= IsSurrogate(c);
        ends |= (c == u'\r') | (c == u'\n');
    }
    lineEnds = ends;
    return surrogates ? Utf8LengthWithPairs(text) : bytes;
}

qint64 Utf8Length(QStringView text) {
    bool lineEnds = false;
    return Utf8Length(text, lineEnds);
}

// Whether a piece ends a sentence: without its trailing blanks it ends with ".".
bool EndsSentence(QStringView piece) {
    qsizetype end = piece.size();
    while (end > 0 && piece[end - 1] == u' ') --end;
    return end > 0 && piece[end - 1] == u'.';
}

struct PieceFacts {
    qint64 bytes = 0;       // in UTF-8
    bool lineEnds = false;  // the piece holds a CR or an LF
    bool sentence = false;  // a CR LF follows it
};

class PieceLines final : public LineSource {
  public:
    PieceLines(QStringList pieces, std::vector<PieceFacts> facts)
        : pieces_(std::move(pieces)), facts_(std::move(facts)) {}

    bool ReadLine(QString& line, bool& ended) override;
    // The pieces are characters already.
    void SetEncoding(LineEncoding) override {}
    qint64 LastLineBytes() const override { return lastBytes_; }
    int LastLineEndBytes() const override { return lastEndBytes_; }

  private:
    // The characters of piece k, its CR LF included.
    qsizetype Length(qsizetype k) const { return pieces_[k].size() + (facts_[k].sentence ? 2 : 0); }
    char16_t CharAt(qsizetype k, qsizetype at) const {
        const QString& piece = pieces_[k];
        if (at < piece.size()) return piece[at].unicode();
        return at == piece.size() ? u'\r' : u'\n';
    }
    // Moves past the pieces that are read to the end.
    void SkipReadPieces() {
        while (piece_ < pieces_.size() && at_ >= Length(piece_)) {
            ++piece_;
            at_ = 0;
        }
    }

    QStringList pieces_;
    std::vector<PieceFacts> facts_;
    qsizetype piece_ = 0;  // the piece being read
    qsizetype at_ = 0;     // the next character of it
    qint64 lastBytes_ = 0;
    int lastEndBytes_ = 0;
};

bool PieceLines::ReadLine(QString& line, bool& ended) {
    SkipReadPieces();
    if (piece_ >= pieces_.size()) return false;
    // resize, not clear: the line's buffer is kept for the next line.
    line.resize(0);
    lastBytes_ = 0;
    lastEndBytes_ = 0;
    for (;;) {
        SkipReadPieces();
        if (piece_ >= pieces_.size()) {
            ended = false;
            return true;
        }
        const QString& piece = pieces_[piece_];
        const PieceFacts& facts = facts_[piece_];
        if (at_ < piece.size()) {
            qsizetype end = facts.lineEnds ? IndexOfLineEnd(QStringView(piece), at_) : -1;
            if (end < 0) end = piece.size();
            const QStringView part = QStringView(piece).sliced(at_, end - at_);
            line.append(part);
            lastBytes_ += at_ == 0 && end == piece.size() ? facts.bytes : Utf8Length(part);
            at_ = end;
            if (end == piece.size()) continue;
        }
        // A line end: a CR or an LF of the piece, or the CR of the CR LF after a sentence.
        const char16_t c = CharAt(piece_, at_++);
        lastEndBytes_ = 1;
        if (c == u'\r') {
            SkipReadPieces();
            if (piece_ < pieces_.size() && CharAt(piece_, at_) == u'\n') {
                ++at_;
                lastEndBytes_ = 2;
            }
        }
        ended = true;
        return true;
    }
}

}  // namespace

DocxTextLines LinesOfPieces(QStringList pieces) {
    std::vector<PieceFacts> facts;
    facts.reserve(static_cast<size_t>(pieces.size()));
    qint64 total = 0;
    qint64 lineBytes = 0;
    bool direct = true;
    for (const QString& piece : pieces) {
        PieceFacts f;
        f.bytes = Utf8Length(piece, f.lineEnds);
        f.sentence = EndsSentence(piece);
        if (f.bytes < 0) {
            direct = false;
            break;
        }
        if (f.lineEnds) {
            // Each line end of the piece closes a line.
            qsizetype from = 0;
            for (qsizetype end = IndexOfLineEnd(QStringView(piece)); end >= 0;
                 end = IndexOfLineEnd(QStringView(piece), from)) {
                lineBytes += Utf8Length(QStringView(piece).sliced(from, end - from));
                if (lineBytes >= TextLineReader::kMaxLineBytes) direct = false;
                lineBytes = 0;
                from = end + 1;
            }
            lineBytes += Utf8Length(QStringView(piece).sliced(from));
        } else {
            lineBytes += f.bytes;
        }
        if (lineBytes >= TextLineReader::kMaxLineBytes) direct = false;
        if (f.sentence) lineBytes = 0;
        if (!direct) break;
        total += f.bytes + (f.sentence ? 2 : 0);
        facts.push_back(f);
    }
    DocxTextLines result;
    if (direct) {
        result.bytes = total;
        result.lines = std::make_unique<PieceLines>(std::move(pieces), std::move(facts));
    } else {
        const QByteArray text = PiecesText(pieces, 0, pieces.size() - 1);
        result.bytes = text.size();
        result.lines = std::make_unique<TextLineReader>(text, LineEncoding::Utf8);
    }
    return result;
}

}  // namespace lxt

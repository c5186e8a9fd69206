// The text-run scan of a docx document: cuts the content of every w:t element out of the
// document's UTF-8 bytes, in document order, as one piece each. A run followed by a line
// break or a paragraph end gets one trailing blank, so that words of adjacent paragraphs
// stay apart.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QtGlobal>
#include <vector>

namespace lxt {

// Title of the stop question while a document's text is read.
inline constexpr char kDocxStopTitle[] = "Stop";

struct RunState;

// Above this document size the pieces are shown in the output box as they are found.
inline constexpr qint64 kTextBoxDisplaySize = 1024000;
// Above this XML length in bytes the scan draws the progress bar.
inline constexpr qint64 kBarDisplayLength = 1000000;
// Every 20th piece is shown; the output box is cleared every 400th.
inline constexpr int kPieceDisplayStep = 20;
inline constexpr int kPieceClearStep = 400;
// A stop request within this many seconds of the start is honoured without a question.
inline constexpr qint32 kQuietStopSeconds = 10;

// The pieces of a scan, one after the other in `text`, in UTF-8.
struct TextRunPieces {
    QByteArray text;  // the document, until the scan cuts it into the pieces
    // Set for the text as the count reads it: CR LF follows each piece that, without its
    // trailing blanks, ends with ".".
    bool sentenceLines = true;
    // When set, the scan notes where each piece starts in the text.
    bool keepStarts = false;
    std::vector<qsizetype> starts;
};

// One piece from the bytes between "<w:t" and "</w:t>" (the rest of the start tag and the
// content), in UTF-8: the start tag is removed, a blank piece becomes one blank, the
// entities &amp;, &lt;, &gt;, &quot; and &apos; are decoded in that order and the UTF-8
// read as Windows-1252 is repaired. A byte sequence that is not UTF-8 becomes U+FFFD.
QByteArray TextRunPiece(QByteArrayView tagAndContent);

// Cuts the document held in pieces.text into its pieces, in place: on return the text holds
// the pieces one after the other. On entry total holds the document size (it decides the
// output-box display), on return the summed UTF-8 length of the pieces. Returns the number
// of pieces, or 0 when a stop request ended the scan (the pieces found so far stay).
qint32 ScanTextRuns(RunState& run, TextRunPieces& pieces, qint64& total, bool showProgress);

}  // namespace lxt

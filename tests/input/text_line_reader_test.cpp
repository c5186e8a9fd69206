#include "input/text_line_reader.h"

#include <gtest/gtest.h>

#include "common/temp_dir.h"
#include "run/run_error.h"

namespace lxt {
namespace {

using test::TempDir;

// Every line of a reader with what the reading loop takes from it.
struct Line {
    QString text;
    bool ended = false;
    bool part = false;
    qint64 bytes = 0;
    int endBytes = 0;
    bool operator==(const Line&) const = default;
};

std::vector<Line> LinesOf(TextLineReader& reader) {
    std::vector<Line> lines;
    Line line;
    while (reader.ReadLine(line.text, line.ended)) {
        line.part = reader.LastWasPart();
        line.bytes = reader.LastLineBytes();
        line.endBytes = reader.LastLineEndBytes();
        lines.push_back(line);
    }
    return lines;
}

// The lines of a file; the same text held in memory must give the very same lines.
QStringList ReadAll(const QString& path, std::vector<bool>* ends = nullptr,
                    TextLineReader::Encoding encoding = TextLineReader::Encoding::Win1252,
                    std::vector<bool>* parts = nullptr) {
    TextLineReader reader(path, encoding);
    const std::vector<Line> lines = LinesOf(reader);
    TextLineReader inMemory(TempDir::Read(path), encoding);
    EXPECT_TRUE(LinesOf(inMemory) == lines) << path.toStdString();
    QStringList texts;
    for (const Line& line : lines) {
        texts << line.text;
        if (ends) ends->push_back(line.ended);
        if (parts) parts->push_back(line.part);
    }
    return texts;
}

TEST(TextLineReaderTest, LineEnds) {
    TempDir dir;
    std::vector<bool> ends;
    // CR LF, CR and LF mixed in one file are all line ends; LF CR is two of them.
    EXPECT_EQ(ReadAll(dir.Write("a.txt", "a\r\nb\rc\nd\r\n\r\ne\n\rf"), &ends),
              (QStringList{"a", "b", "c", "d", "", "e", "", "f"}));
    EXPECT_EQ(ends, (std::vector<bool>{true, true, true, true, true, true, true, false}));
    EXPECT_EQ(ReadAll(dir.Write("b.txt", "one\r\n")), QStringList{"one"});
    // A lone CR or LF at the very end opens no further line; none loses nothing.
    EXPECT_EQ(ReadAll(dir.Write("cr.txt", "one\rtwo\r")), (QStringList{"one", "two"}));
    EXPECT_EQ(ReadAll(dir.Write("lf.txt", "one\ntwo")), (QStringList{"one", "two"}));
    EXPECT_TRUE(ReadAll(dir.Write("c.txt", "")).isEmpty());
    EXPECT_EQ(ReadAll(dir.Write("d.txt", "\r\n")), QStringList{""});
    EXPECT_EQ(ReadAll(dir.Write("e.txt", "\x80\xE9")), QStringList{QString::fromUtf8("€é")});
    EXPECT_EQ(
        ReadAll(dir.Write("f.txt", "\xE2\x82\xAC\r\n"), nullptr, TextLineReader::Encoding::Utf8),
        QStringList{QString::fromUtf8("€")});
    // The bytes a line took, for the progress count: three for the one character "€".
    TextLineReader reader(dir.File("f.txt"), TextLineReader::Encoding::Utf8);
    QString line;
    bool ended = false;
    ASSERT_TRUE(reader.ReadLine(line, ended));
    EXPECT_EQ(reader.LastLineBytes(), 3);
    EXPECT_EQ(reader.LastLineEndBytes(), 2);
    EXPECT_FALSE(reader.LastWasPart());
    // And the bytes of each line end: one for CR or LF, none after the last line.
    TextLineReader mixed(dir.Write("g.txt", "ab\ncd\ref"), TextLineReader::Encoding::Win1252);
    std::vector<int> endBytes;
    while (mixed.ReadLine(line, ended)) endBytes.push_back(mixed.LastLineEndBytes());
    EXPECT_EQ(endBytes, (std::vector<int>{1, 1, 0}));
}

TEST(TextLineReaderTest, LineEndsAcrossABlockBoundary) {
    TempDir dir;
    // CR LF cut by the block end is one line end; CR then LF after it, and LF at the block's
    // first byte, each end a line.
    for (const char* end : {"\r\n", "\r\n\n", "\r\r", "\n"}) {
        QByteArray text(TextLineReader::kBlockSize - 1, 'a');
        text += end;
        text += "next";
        const QStringList lines = ReadAll(dir.Write("edge.txt", text));
        const qsizetype breaks = end == QByteArray("\r\n") || end == QByteArray("\n") ? 1 : 2;
        ASSERT_EQ(lines.size(), breaks + 1) << end;
        EXPECT_EQ(lines[0].size(), TextLineReader::kBlockSize - 1);
        EXPECT_EQ(lines.last(), "next");
    }
}

TEST(TextLineReaderTest, OverLongLinesComeInPartsCutAfterABlank) {
    TempDir dir;
    QByteArray text;
    while (text.size() < 3 * TextLineReader::kMaxLineBytes) text += "word ";
    text += "end\r\nafter";
    std::vector<bool> ends;
    std::vector<bool> parts;
    const QStringList lines =
        ReadAll(dir.Write("long.txt", text), &ends, TextLineReader::Encoding::Win1252, &parts);
    ASSERT_GE(lines.size(), 4);
    EXPECT_FALSE(parts.back());
    EXPECT_FALSE(parts[parts.size() - 2]);  // the end of the long line
    QString joined;
    for (qsizetype i = 0; i + 1 < lines.size(); ++i) {
        EXPECT_LE(lines[i].size(), TextLineReader::kMaxLineBytes + TextLineReader::kBlockSize);
        if (i + 2 < lines.size()) {
            EXPECT_TRUE(lines[i].endsWith(u' '));
            EXPECT_FALSE(ends[static_cast<size_t>(i)]);
            EXPECT_TRUE(parts[static_cast<size_t>(i)]);
        }
        joined += lines[i];
    }
    EXPECT_EQ(joined, QString::fromLatin1(text.left(text.indexOf('\r'))));
    EXPECT_EQ(lines.last(), "after");
}

TEST(TextLineReaderTest, UnixTextComesInItsOwnLines) {
    TempDir dir;
    QByteArray text;
    int count = 0;
    while (text.size() < 2 * TextLineReader::kMaxLineBytes + 100) {
        text += "lfword\n";
        ++count;
    }
    const QStringList lines = ReadAll(dir.Write("lf.txt", text));
    ASSERT_EQ(lines.size(), count);
    for (const QString& line : lines) EXPECT_EQ(line, "lfword");
}

TEST(TextLineReaderTest, MissingFileRaisesFileNotFound) {
    TempDir dir;
    try {
        TextLineReader reader(dir.File("missing.txt"), TextLineReader::Encoding::Win1252);
        FAIL() << "no error raised";
    } catch (const RunError& e) {
        EXPECT_EQ(e.number, 53);
    }
}

}  // namespace
}  // namespace lxt

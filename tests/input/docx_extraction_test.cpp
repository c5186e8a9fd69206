#include "input/docx_extraction.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "common/scripted_ui.h"
#include "common/temp_dir.h"
#include "input/docx_builder.h"
#include "input/docx_member.h"
#include "input/docx_text_runs.h"
#include "run/run_state.h"

namespace lxt {
namespace {

using test::ScriptedUi;
using test::TempDir;

// A document of exactly `size` bytes with one text run.
QByteArray DocumentOfSize(qint64 size) {
    const QByteArray head = "<w:document><w:p><w:r><w:t>Sizable</w:t></w:r></w:p>";
    const QByteArray tail = "</w:document>";
    return head + QByteArray(size - head.size() - tail.size(), ' ') + tail;
}

// The pieces of a scan, one by one (without the line ends after sentences).
QStringList PieceList(const TextRunPieces& pieces) {
    QStringList list;
    for (size_t k = 0; k < pieces.starts.size(); ++k) {
        const qsizetype end =
            k + 1 < pieces.starts.size() ? pieces.starts[k + 1] : pieces.text.size();
        list.append(QString::fromUtf8(pieces.text.mid(pieces.starts[k], end - pieces.starts[k])));
    }
    return list;
}

TextRunPieces OneByOne() {
    TextRunPieces pieces;
    pieces.sentenceLines = false;
    pieces.keepStarts = true;
    return pieces;
}

class DocxTest : public ::testing::Test {
  protected:
    TempDir dir;
    ScriptedUi ui;
    RunState run{ui};
    DocxState docx;

    qint32 Prepare(const QString& path, bool askChecksum = true, bool askSize = true) {
        return PrepareDocx(run, docx, path, QString::fromLatin1(kTemporaryFolderTag), askChecksum,
                           askSize, QStringLiteral("docx"));
    }
    // Cuts the document `xml` into `pieces`.
    qint32 Cut(const QByteArray& xml, TextRunPieces& pieces, qint64& total, bool showProgress) {
        pieces.text = xml;
        return ScanTextRuns(run, pieces, total, showProgress);
    }
    QStringList Pieces(const QString& xml) {
        TextRunPieces pieces = OneByOne();
        qint64 total = 0;
        Cut(xml.toUtf8(), pieces, total, false);
        return PieceList(pieces);
    }
};

TEST_F(DocxTest, TextRunsAndTheirPieces) {
    EXPECT_EQ(Pieces("<w:r><w:t>Hello</w:t></w:r>"), QStringList{"Hello"});
    EXPECT_EQ(Pieces("<w:t xml:space=\"preserve\"> world</w:t>"), QStringList{" world"});
    // An empty content and a blank content both give one blank.
    EXPECT_EQ(Pieces("<w:t></w:t><w:t> </w:t><w:t>   </w:t>"), (QStringList{" ", " ", " "}));
    // w:tab, w:tbl and w:tc are other elements; the scan goes on past them.
    EXPECT_EQ(Pieces("<w:tbl><w:tc><w:r><w:tab/><w:t>in</w:t><w:t>cell</w:t></w:r></w:tc></w:tbl>"),
              (QStringList{"in", "cell"}));
    // A line break or a paragraph end before the next run adds a blank; not after the last.
    EXPECT_EQ(Pieces("<w:p><w:t>one</w:t></w:p><w:p><w:t>two</w:t><w:br/><w:t>three</w:t></w:p>"),
              (QStringList{"one ", "two ", "three"}));
    EXPECT_EQ(Pieces("<w:t>a</w:t><w:t>b</w:t><w:br/>"), (QStringList{"a", "b"}));
    // Entities: the ampersand first, so "&amp;lt;" becomes "<"; quotes and apostrophes too.
    EXPECT_EQ(Pieces("<w:t>&amp;lt; &lt;b&gt; &quot;q&quot; it&apos;s &amp;</w:t>"),
              QStringList{"< <b> \"q\" it's &"});
    // The repairs of UTF-8: a right quotation mark becomes "'", an em dash " -- ", "č" "c";
    // a C1 control character goes; other letters stay.
    EXPECT_EQ(Pieces(QString::fromUtf8("<w:t>café it\u2019s a\u2014b \u010D\u0085x жук</w:t>")),
              QStringList{QString::fromUtf8("café it's a -- b cx жук")});
    // Bytes that are not UTF-8 are read as the whole document would be: a sequence cut short
    // by a tag is one U+FFFD, and its halves in two runs never join in the text.
    TextRunPieces split = OneByOne();
    qint64 total = 0;
    Cut("<w:t>a\xE2\x80</w:t><w:t>\x99"
        "b</w:t>",
        split, total, false);
    EXPECT_EQ(PieceList(split),
              (QStringList{QStringLiteral("a\uFFFD"), QStringLiteral("\uFFFDb")}));
    EXPECT_EQ(split.text,
              "a\xEF\xBF\xBD\xEF\xBF\xBD"
              "b");
    // An end tag before the next start tag ends the scan; so does a missing end tag.
    EXPECT_TRUE(Pieces("</w:t><w:t>x</w:t>").isEmpty());
    EXPECT_EQ(Pieces("<w:t>x</w:t><w:t>y"), QStringList{"x"});
}

TEST_F(DocxTest, ScanTotalsAndTheOutputBoxDisplay) {
    QString xml;
    for (int i = 1; i <= 45; ++i) xml += QStringLiteral("<w:t>w%1</w:t>").arg(i);
    TextRunPieces pieces;
    qint64 total = 2000000;  // a big document: pieces are shown
    EXPECT_EQ(Cut(xml.toUtf8(), pieces, total, true), 45);
    EXPECT_EQ(total, 9 * 2 + 36 * 3);
    EXPECT_EQ(ui.OutputText(), "w20\r\nw40\r\n");
    // A small document shows nothing.
    ui.OutputReplace(QString());
    total = 1024000;
    Cut(xml.toUtf8(), pieces, total, true);
    EXPECT_TRUE(ui.OutputText().isEmpty());
}

TEST_F(DocxTest, StopRequestDuringTheScan) {
    const QByteArray xml = "<w:t>a</w:t><w:t>b</w:t><w:t>c</w:t>";
    TextRunPieces pieces;
    qint64 total = 0;
    // Within the first 10 seconds: no question.
    run.blnStop = true;
    RunElapsedTimeTo(ui, 9);
    EXPECT_EQ(Cut(xml, pieces, total, false), 0);
    EXPECT_TRUE(ui.shown.empty());
    // Later: the question; No goes on to the end.
    RunElapsedTimeTo(ui, 10);
    ui.Expect("Many different words have been found.", MsgResult::No);
    EXPECT_EQ(Cut(xml, pieces, total, false), 3);
    EXPECT_FALSE(run.blnStop);
    EXPECT_EQ(ui.shown.back().title, "Stop");
    run.blnStop = true;
    ui.Expect("Do you really wish to stop?", MsgResult::Yes);
    EXPECT_EQ(Cut(xml, pieces, total, false), 0);
    EXPECT_TRUE(run.blnStop);
}

TEST_F(DocxTest, PreparationAndReadingOfARealDocx) {
    const QByteArray xml =
        "<w:document><w:body><w:p><w:r><w:t>First words.</w:t></w:r></w:p>"
        "<w:p><w:r><w:t xml:space=\"preserve\">Second </w:t><w:t>line</w:t></w:r></w:p>"
        "</w:body></w:document>";
    const QString path = dir.File("Letter.DOCX");
    ASSERT_TRUE(test::WriteDocx(path, xml));
    const qint32 size = Prepare(path);
    EXPECT_EQ(size, xml.size());
    EXPECT_TRUE(docx.blnDocx);
    // The document is held in memory; nothing is written to the private folder.
    EXPECT_EQ(docx.document, xml);
    const QString folder = docx.strTempFolder;
    EXPECT_TRUE(QDir(folder).dirName().startsWith("LXT"));
    EXPECT_TRUE(QDir(folder).isEmpty());

    QByteArray text;
    qint64 total = size;
    EXPECT_EQ(ReadDocx(run, docx, true, text, total, true, true), "");
    // The pieces "First words. ", "Second " and "line", with CR LF after the sentence.
    EXPECT_EQ(text, "First words. \r\nSecond line");
    EXPECT_EQ(total, 24);
    // The document is let go; the folder itself is kept until the count ends.
    EXPECT_TRUE(docx.document.isEmpty());
    EXPECT_TRUE(QFileInfo(folder).isDir());
    EXPECT_TRUE(RemoveTemporaryFolder(docx));
    EXPECT_FALSE(QFileInfo::exists(folder));

    // The check before a count keeps the document for the count; an archive changed in
    // between is read again.
    ASSERT_GE(Prepare(path), 0);
    EXPECT_TRUE(RemoveTemporaryFolder(docx));
    EXPECT_EQ(docx.document, xml);
    const QByteArray changed = "<w:document><w:p><w:r><w:t>Changed</w:t></w:r></w:p></w:document>";
    ASSERT_TRUE(test::WriteDocx(path, changed));
    EXPECT_EQ(Prepare(path), changed.size());
    EXPECT_EQ(docx.document, changed);
    RemoveTemporaryFolder(docx);
    ReleaseDocument(docx);
    ASSERT_TRUE(test::WriteDocx(path, xml));

    // Without keeping the folder: it goes with the document.
    ASSERT_GE(Prepare(path), 0);
    EXPECT_EQ(ReadDocx(run, docx, true, text, total, false, false), "");
    EXPECT_EQ(text, "First words. \r\nSecond line");
    EXPECT_FALSE(QFileInfo::exists(docx.strTempFolder));

    // A stop request during the scan leaves no text.
    ASSERT_GE(Prepare(path), 0);
    run.blnStop = true;
    EXPECT_EQ(ReadDocx(run, docx, true, text, total, false, false), "");
    EXPECT_TRUE(text.isEmpty());
    EXPECT_TRUE(docx.document.isEmpty());
    run.blnStop = false;
}

TEST_F(DocxTest, TheTextEndsALineAfterEachSentence) {
    const auto textOf = [this](const QByteArray& xml) {
        TextRunPieces pieces;
        qint64 total = 0;
        Cut(xml, pieces, total, false);
        return pieces.text;
    };
    EXPECT_EQ(textOf("<w:t>Hello </w:t><w:t>world.  </w:t><w:t>Next</w:t><w:t> one.</w:t>"
                     "<w:t>x</w:t>"),
              "Hello world.  \r\nNext one.\r\nx");
    // A blank piece never ends a sentence, even after one that does; a paragraph's blank
    // comes before the line end.
    EXPECT_EQ(textOf("<w:t>end.</w:t><w:t> </w:t><w:t>  </w:t><w:t>c.</w:t></w:p><w:t>.</w:t>"),
              "end.\r\n  c. \r\n.\r\n");
    // Characters outside Windows-1252 survive.
    EXPECT_EQ(textOf("<w:t>\xCE\xB1\xCE\xB2.</w:t>"), "\xCE\xB1\xCE\xB2.\r\n");
    // A long text comes out whole: pieces longer than the room the text was given ahead,
    // and repairs that make a piece longer than its bytes in the document.
    const QByteArray words = QByteArray(100000, 'w') + ". ";
    const QByteArray dashes = QByteArray("\xE2\x80\x94").repeated(5000);
    const QByteArray text = textOf("<w:t>" + words + "</w:t><w:t>" + dashes + "</w:t>");
    EXPECT_EQ(text, words + "\r\n" + QByteArray(" -- ").repeated(5000));
}

TEST_F(DocxTest, SizeLimits) {
    const QString exact = dir.File("exact.docx");
    ASSERT_TRUE(test::WriteDocx(exact, DocumentOfSize(kDocxWarningSize)));
    EXPECT_EQ(Prepare(exact), kDocxWarningSize);  // no question
    RemoveTemporaryFolder(docx);

    const QString above = dir.File("above.docx");
    ASSERT_TRUE(test::WriteDocx(above, DocumentOfSize(kDocxWarningSize + 1)));
    ui.Expect("is rather large.  It may take awhile to scan.", MsgResult::No);
    ui.Expect("You could try saving it as a text file");
    EXPECT_EQ(Prepare(above), kDocxBigDeclined);
    EXPECT_EQ(ui.shown[0].title, "Big file");
    EXPECT_EQ(ui.shown[0].defaultButton, 2);
    EXPECT_EQ(ui.shown[0].text, above +
                                    "\r\nis rather large.  It may take awhile to scan.\r\n"
                                    "Do you wish to continue?");
    EXPECT_FALSE(QFileInfo::exists(docx.strTempFolder));
    ui.Expect("is rather large.", MsgResult::Yes);
    EXPECT_EQ(Prepare(above), kDocxWarningSize + 1);
    RemoveTemporaryFolder(docx);
    // Not asking: no question.
    EXPECT_EQ(Prepare(above, true, false), kDocxWarningSize + 1);
    RemoveTemporaryFolder(docx);

    const QString tooBig = dir.File("toobig.docx");
    ASSERT_TRUE(test::WriteDocx(tooBig, DocumentOfSize(kDocxMaximumSize + 1)));
    EXPECT_EQ(Prepare(tooBig), kDocxTooBig);
    EXPECT_FALSE(QFileInfo::exists(docx.strTempFolder));
    ui.Expect("is too large to be scanned directly.");
    ShowDocxPreparationFailure(ui, kDocxTooBig, tooBig);
    EXPECT_EQ(ui.shown.back().title, "File too big");
    EXPECT_EQ(ui.shown.back().icon, MsgIcon::Information);
}

TEST_F(DocxTest, ZipBombIsCutAtTheCap) {
    // 64 MiB of zeros squeeze into a small archive.
    const QString bomb = dir.File("bomb.docx");
    ASSERT_TRUE(test::WriteDocx(bomb, QByteArray(64 * 1024 * 1024, '\0')));
    EXPECT_LT(QFileInfo(bomb).size(), 1024 * 1024);
    QByteArray document;
    EXPECT_EQ(ReadDocumentMember(bomb, 4096, document), MemberExtraction::Extracted);
    EXPECT_EQ(document.size(), 4096);
    // The preparation never reads more than the maximum plus one byte and refuses it.
    EXPECT_EQ(Prepare(bomb), kDocxTooBig);
    EXPECT_FALSE(QFileInfo::exists(docx.strTempFolder));
    EXPECT_TRUE(docx.document.isEmpty());
}

TEST_F(DocxTest, ChecksumErrorAnsweredYesAndNo) {
    const QByteArray xml = "<w:document><w:t>Checked words</w:t></w:document>";
    const QString path = dir.File("crc.docx");
    ASSERT_TRUE(test::WriteDocx(path, xml, true));
    ASSERT_GE(test::CorruptCrc(path, xml), 1);

    ui.Expect("Invalid checksum found when processing", MsgResult::No);
    EXPECT_EQ(Prepare(path), kDocxChecksumDeclined);
    EXPECT_EQ(ui.shown.back().text, "Invalid checksum found when processing\r\n" + path +
                                        "\r\n\r\nDo you wish to scan this file anyway?");
    EXPECT_FALSE(QFileInfo::exists(docx.strTempFolder));

    ui.Expect("Invalid checksum found when processing", MsgResult::Yes);
    EXPECT_EQ(Prepare(path), xml.size());
    QByteArray text;
    qint64 total = xml.size();
    EXPECT_EQ(ReadDocx(run, docx, true, text, total, false, false), "");
    EXPECT_EQ(text, "Checked words");

    EXPECT_EQ(Prepare(path, false), kDocxChecksumError);  // not asking
    EXPECT_FALSE(QFileInfo::exists(docx.strTempFolder));
    // A deflated document is checked as well, and the bytes are kept for a Yes.
    const QString deflated = dir.File("crc-deflated.docx");
    ASSERT_TRUE(test::WriteDocx(deflated, xml));
    ASSERT_GE(test::CorruptCrc(deflated, xml), 1);
    EXPECT_EQ(ReadDocumentMember(deflated, 1000, docx.document), MemberExtraction::ChecksumError);
    EXPECT_EQ(docx.document, xml);
    EXPECT_EQ(Prepare(deflated, false), kDocxChecksumError);
    EXPECT_TRUE(ui.AllExpectedShown());
}

TEST_F(DocxTest, DamagedArchivesAreRefusedWithAMessage) {
    const QByteArray xml = "<w:document><w:t>" + QByteArray(5000, 'a') + "</w:t></w:document>";
    const QString good = dir.File("good.docx");
    ASSERT_TRUE(test::WriteDocx(good, xml));
    const QByteArray bytes = TempDir::Read(good);
    const QString truncated = dir.Write("truncated.docx", bytes.left(bytes.size() / 2));
    EXPECT_EQ(Prepare(truncated), kDocxDamaged);
    EXPECT_FALSE(QFileInfo::exists(docx.strTempFolder));
    ui.Expect("is damaged or is not a Word 'docx' file");
    ShowDocxPreparationFailure(ui, kDocxDamaged, truncated);
    EXPECT_TRUE(ui.shown.back().text.startsWith("File " + truncated + "\r\n"));

    EXPECT_EQ(Prepare(dir.Write("plain.docx", "PK\x03\x04 not really an archive at all")),
              kDocxDamaged);

    const QString noDocument = dir.File("nodoc.docx");
    ASSERT_TRUE(test::WriteZip(noDocument, {{"word/other.xml", "<x/>", false}}));
    EXPECT_EQ(Prepare(noDocument), kDocxNoDocument);
    EXPECT_FALSE(QFileInfo::exists(docx.strTempFolder));
    ui.Expect("word/document.xml");
    ShowDocxPreparationFailure(ui, kDocxNoDocument, noDocument);
    EXPECT_TRUE(ui.shown.back().text.contains(noDocument));

    // The answered results show nothing.
    const size_t before = ui.shown.size();
    ShowDocxPreparationFailure(ui, kDocxChecksumDeclined, good);
    ShowDocxPreparationFailure(ui, kDocxBigDeclined, good);
    EXPECT_EQ(ui.shown.size(), before);
}

}  // namespace
}  // namespace lxt

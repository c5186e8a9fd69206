// A counting run over text given in the test, fed line by line to the scanner the way the
// file scan does it: lower-cased unless case is significant, one blank appended, and the
// table sealed at the end.
#pragma once

#include <gtest/gtest.h>

#include <QString>
#include <QStringList>

#include "common/scripted_ui.h"
#include "input/counting_sink.h"
#include "run/run_state.h"
#include "run/word_list.h"
#include "scan/line_scanner.h"
#include "scan/markup.h"
#include "scan/scan_options.h"
#include "scan/scan_state.h"
#include "scan/word_sink.h"
#include "support/str_proc.h"

namespace lxt::test {

using namespace Qt::StringLiterals;

class ScanFixture : public ::testing::Test {
  protected:
    ScanFixture() {
        SetCommentMarkers(markers, u"");  // no markers, as for the clipboard
        ResetWordTable(run);
    }

    // The options of a scan in `context` as the run and the markers stand now.
    ScanOptions Options() const { return ScanOptionsOf(run, context, markers); }
    // The markup mode of a file with the lower-case extension `extension`.
    void Mode(const QString& extension) { SetMarkupMode(markers, run.settings, extension); }

    // Scans state.line as it stands.
    void Scan() {
        ScanEvents events = ScanEventsOf(run);
        ScanLine(state, Options(), sink, events);
    }
    void Feed(const QString& line) {
        state.line = (run.settings.chkCaseSignificant == 1 ? line : LowerCaseFull(line)) + u' ';
        Scan();
    }

    // Counts the lines and gives back the table as "word:frequency" in table order.
    QString Count(const QStringList& lines) {
        for (const QString& line : lines) Feed(line);
        SealWordTable(run);
        return Table();
    }
    QString Count(const QString& line) { return Count(QStringList{line}); }

    QString Table() const {
        QStringList out;
        for (qint32 i = 1; i <= run.lngNumWords; ++i) {
            out << run.WordTable[i].Word().toString() + u':' +
                       QString::number(run.WordTable[i].frequency);
        }
        return out.join(u' ');
    }

    // Reads the words into the list in the reading context, as the common-words read does;
    // counts them otherwise.
    class Sink final : public WordSink {
      public:
        Sink(RunState& run, const ScanContext& context)
            : run_(run), context_(context), counting_(run) {}
        void Accept(QStringView word) override {
            if (context_ == ScanContext::ReadingCommonWords) {
                AddWordToList(run_, word, context_);
            } else {
                counting_.Accept(word);
            }
        }

      private:
        RunState& run_;
        const ScanContext& context_;
        CountingSink counting_;
    };

    ScriptedUi ui;
    RunState run{ui};
    MarkupMarkers markers;
    ScanState state;
    ScanContext context = ScanContext::Counting;
    Sink sink{run, context};
};

}  // namespace lxt::test

// Lets EXPECT_EQ print QStrings.
inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

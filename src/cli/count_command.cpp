#include "cli/count_command.h"

#include <QFile>
#include <QStringDecoder>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

#include "cli/cli_options.h"
#include "cli/console_ui.h"
#include "cli/machine_listing.h"
#include "cli/standard_input.h"
#include "cli/standard_output.h"
#include "count/count_driver.h"
#include "exclude/common_words.h"
#include "exclude/words_to_ignore.h"
#include "input/file_scan.h"
#include "input/is_text_file.h"
#include "results/listed_words_chart.h"
#include "results/word_listing.h"
#include "run/report_error.h"
#include "run/run_state.h"
#include "settings/settings_file.h"
#include "support/catalogue.h"
#include "support/error_numbers.h"
#include "support/file_proc.h"
#include "support/language_tables.h"
#include "support/message_numbers.h"
#include "support/native_file.h"
#include "support/native_file_name.h"
#include "support/private_temp_folder.h"
#include "support/win1252.h"

namespace lxt::cli {

namespace {

constexpr char kAllLanguages[] = "all";
constexpr char kUsageHint[] = "Try 'lxt-count --help'.";

void WriteTo(std::FILE* stream, const QString& text) {
    const QByteArray bytes = ShownFileName(text).toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stream);
}

// Text for standard output: UTF-8, the output box's CR LF line breaks made plain line
// breaks (one encoding pass, then the CRs before LFs squeezed out in place).
QByteArray UnixUtf8(QStringView text) {
    QByteArray bytes = text.toUtf8();
    char* const begin = bytes.data();
    char* const end = begin + bytes.size();
    char* out = begin;
    for (const char* in = begin; in < end;) {
        const char* cr = static_cast<const char*>(std::memchr(in, '\r', size_t(end - in)));
        const char* stop = cr != nullptr ? cr : end;
        std::memmove(out, in, size_t(stop - in));
        out += stop - in;
        in = stop;
        if (cr == nullptr) break;
        if (cr + 1 == end || cr[1] != '\n') *out++ = '\r';
        ++in;
    }
    bytes.truncate(out - begin);
    return bytes;
}

constexpr int kStandardInputFd = 0;
constexpr int kStandardErrorFd = 2;

// True when the stream with descriptor `fd` is a terminal (`otherwise` where that cannot
// be told).
bool IsTerminal(int fd, bool otherwise) {
#ifdef Q_OS_UNIX
    Q_UNUSED(otherwise);
    return ::isatty(fd) == 1;
#else
    Q_UNUSED(fd);
    return otherwise;
#endif
}

// The common-words file named by --common-words: a language code, "all", or a file.
QString CommonWordsPath(const QString& given) {
    const QString code = given.toLower();
    if (code == QLatin1String(kAllLanguages)) return PickerEntryPath(kEntryAllSixLanguages);
    const int position = LanguagePosition(code);
    if (position >= 0) return LanguageFilePath(position);
    return AbsoluteFilePath(given);
}

// The file's text as the clipboard would hold it: UTF-8 when asked for or when the bytes
// are valid UTF-8, Windows-1252 otherwise.
QString FileTextAsClipboard(const QByteArray& bytes, EncodingChoice encoding) {
    QByteArray data = bytes;
    if (data.startsWith("\xEF\xBB\xBF")) data.remove(0, 3);
    if (encoding == EncodingChoice::Ansi) return DecodeWin1252(data);
    QStringDecoder decoder(QStringDecoder::Utf8);
    QString text = decoder(data);
    if (encoding == EncodingChoice::Utf8 || !decoder.hasError()) return text;
    return DecodeWin1252(data);
}

int UsageError(const QString& error) {
    WriteTo(stderr, QLatin1String(kMessagePrefix) + error + QLatin1Char('\n') +
                        QLatin1String(kUsageHint) + QLatin1Char('\n'));
    return kExitUsage;
}

// A file named more than once is counted as often as it is named, with a warning.
void WarnAboutRepeatedFiles(const QStringList& inputs) {
    QStringList warned;
    for (qsizetype i = 0; i < inputs.size(); ++i) {
        qsizetype times = 1;
        for (qsizetype j = i + 1; j < inputs.size(); ++j) {
            if (SameFile(inputs[i], inputs[j])) ++times;
        }
        if (times < 2 || warned.contains(inputs[i])) continue;
        warned << inputs[i];
        WriteTo(stderr, QLatin1String(kMessagePrefix) + inputs[i] +
                            QStringLiteral(": given %1 times, counted %1 times\n").arg(times));
    }
}

int RunCount(const QStringList& arguments, StandardOutput& out) {
    const ParsedCommandLine parsed = ParseCommandLine(arguments);
    const CliOptions& o = parsed.options;
    if (!parsed.error.isEmpty()) return UsageError(parsed.error);
    if (o.help) {
        out.Write(HelpText());
        return kExitCounted;
    }
    if (o.version) {
        out.Write(VersionText());
        return kExitCounted;
    }

    QStringList inputs = o.inputFiles;
    if (inputs.isEmpty() && o.saveSettingsFile.isEmpty()) {
        if (IsTerminal(kStandardInputFd, true))
            return UsageError(QStringLiteral("no input file given"));
        inputs << QLatin1String(kStandardInputName);
    }

    const QString cataloguePath = CataloguePath(ProgramFolder());
    const int loaded = LoadCatalogue(cataloguePath);
    if (loaded <= 0) {
        WriteTo(stderr, CatalogueFailureText(loaded, cataloguePath) + QLatin1Char('\n'));
        return kExitInputRefused;
    }

    // From here Ctrl-C asks the count to stop (at its first chance) instead of ending it.
    ConsoleUi::InstallInterruptHandler();
    ConsoleUi ui(o.encoding, o.quiet, IsTerminal(kStandardErrorFd, false));
    RunState run(ui);
    ui.Attach(&run);
    run.settings = o.settings;
    run.blnStartUpCompleted = true;

    // The words to ignore, normalised and checked as the Settings window does.
    if (!TakeOverWordsToIgnore(run)) return kExitUsage;

    // The common words.
    if (run.settings.chkIgnoreCommonWords == 1 && !o.commonWords.isEmpty()) {
        const QString path = CommonWordsPath(o.commonWords);
        run.strCommonWordsFile = path;
        run.settings.txbCommonWordsFile = path;
        run.settings.strCommonWordsFile = path;
        if (!FileExists(path)) {
            ui.PrintMessage(QString::fromLatin1(kCommonWordsNotFoundText) + QStringLiteral("\r\n") +
                            path);
            return kExitUsage;
        }
        if (!ReadCommonWords(run)) return kExitUsage;
        run.blnCommonWordsLoaded = true;
        run.blnReadingWords = false;
    } else {
        run.settings.chkIgnoreCommonWords = 0;
    }

    if (!o.saveSettingsFile.isEmpty()) {
        Settings saved = run.settings;
        // The counter never shows words as found; the file keeps the windows' own choice.
        saved.chkSuppressWords = Settings{}.chkSuppressWords;
        if (!o.inputFiles.isEmpty() && o.inputFiles[0] != QLatin1String(kStandardInputName)) {
            saved.txbFile[0] = AbsoluteFilePath(o.inputFiles[0]);
        }
        if (!saved.txbFile[1].isEmpty()) {
            saved.txbFile[1] = AbsoluteFilePath(saved.txbFile[1]);
        }
        const QString error = SaveState(saved, o.saveSettingsFile);
        if (!error.isEmpty()) {
            ui.PrintMessage(error);
            return kExitOutputFailed;
        }
        if (inputs.isEmpty()) return kExitCounted;
    }

    WarnAboutRepeatedFiles(inputs);

    // Standard input becomes a file of a private folder, named as standard input in messages.
    std::optional<PrivateTempFolder> stdinFolder;
    if (inputs.contains(QLatin1String(kStandardInputName))) {
        stdinFolder.emplace();
        const StandardInputCopy copy = CopyStandardInput(*stdinFolder);
        if (!copy.error.isEmpty()) {
            WriteTo(stderr, QLatin1String(kMessagePrefix) + QLatin1String(kStandardInputShownName) +
                                QStringLiteral(": ") + copy.error + QLatin1Char('\n'));
            return kExitInputRefused;
        }
        for (QString& name : inputs) {
            if (name == QLatin1String(kStandardInputName)) name = copy.path;
        }
        ui.NameFile(copy.path, QLatin1String(kStandardInputShownName));
    }

    if (o.asClipboard) {
        QFile file;
        if (!OpenFile(file, inputs.first(), QIODevice::ReadOnly)) {
            ui.PrintMessage(inputs.first() + QStringLiteral(": ") + SystemErrorText(errno));
            return kExitInputRefused;
        }
        ui.SetClipboardText(FileTextAsClipboard(file.readAll(), o.encoding));
    }

    // The listing goes to standard output as it is made; the machine forms follow the run.
    qsizetype listed = 0;
    ListingTarget target;
    target.limitOutputBox = false;
    const bool screen = o.form == ListingForm::Screen;
    target.screenSink = [&listed, &out, screen](const QString& piece) {
        listed += piece.size();
        if (screen) out.Write(UnixUtf8(piece));
    };
    target.screenLineBytes = [&listed, &out, screen](QByteArrayView lines) {
        listed += lines.size();
        if (screen) out.Write(lines);
    };

    // A docx document is always scanned as UTF-8, which allowing only 7-bit ASCII excludes:
    // the run is refused as in the windows, where choosing a docx ticks the UTF-8 box.
    if (run.settings.chkOnly7bitASCII == 1 && !o.asClipboard &&
        std::any_of(inputs.cbegin(), inputs.cend(),
                    [](const QString& input) { return IsDocxFile(input.trimmed()); })) {
        run.settings.chkUTF8 = 1;
    }
    const bool utf8AndSevenBit = run.settings.chkUTF8 == 1 && run.settings.chkOnly7bitASCII == 1;
    QStringList refused;
    const InputFiles files{o.asClipboard ? QStringList() : inputs, &refused};
    const RunOutcome outcome = cmdListWords_Click(run, target, files);
    ui.SetInputFileText(QString());
    out.Flush();

    if (run.blnRunInterrupted) ui.PrintMessage(StoppedText(run.lngNumWords));

    const bool outputWanted =
        !run.settings.txbFile[1].isEmpty() && run.settings.chkDisableOutputToFile != 1;
    switch (outcome) {
        case RunOutcome::NotStarted:
            if (utf8AndSevenBit || ui.SettingsRefused()) return kExitUsage;
            return kExitInputRefused;
        case RunOutcome::Abandoned:
            // Ctrl-C before any word was counted (while a docx is unpacked): a stopped count
            // with nothing to list.
            if (ConsoleUi::Interrupted() && !run.blnRunInterrupted) {
                ui.PrintMessage(StoppedText(run.lngNumWords));
                return kExitCounted;
            }
            return kExitInputRefused;
        case RunOutcome::Failed: {
            // The driver's hint about a locked output file is left in the output box.
            if (!ui.OutputText().isEmpty()) ui.PrintMessage(ui.OutputText());
            if (outputWanted) {
                const int number = TestOutputFile(run.settings.txbFile[1]).number;
                if (number == kErrPermissionDenied || number == kErrPathFileAccess ||
                    number == kErrPathNotFound) {
                    return kExitOutputFailed;
                }
            }
            return kExitInputRefused;
        }
        case RunOutcome::NotListed:
            return kExitCounted;
        case RunOutcome::Listed:
            break;
    }

    if (screen && listed == 0 && !ui.OutputText().isEmpty()) {
        out.Write(UnixUtf8(ui.OutputText()));
        if (!ui.OutputText().endsWith(QLatin1Char('\n'))) out.Write(QStringLiteral("\n"));
    }
    if (o.form == ListingForm::Tsv) out.Write(TsvListing(run));
    if (o.form == ListingForm::Json) out.Write(JsonListing(run));
    if (o.stats) {
        for (UiLabel label : {UiLabel::NumberOfWords, UiLabel::NumWordsExcluded,
                              UiLabel::NumOccurrences, UiLabel::TotalNumOccurrences}) {
            const QString text = ui.Label(label);
            if (text.isEmpty()) continue;
            if (screen) {
                out.Write(text + QLatin1Char('\n'));
            } else {
                WriteTo(stderr, text + QLatin1Char('\n'));
            }
        }
    }
    if (o.zipf) {
        out.Flush();
        const ListedWordsChart chart =
            ChartListedWords(run.WordTable, run.lngFirstFreq, run.lngNumWordsIncluded);
        WriteTo(stderr, ZipfReportText(chart.fit) + QLatin1Char('\n'));
    }

    if (ui.ReportedProcedures().contains(QStringLiteral("ListWords"))) return kExitOutputFailed;
    if (outputWanted && run.lngNumWordsIncluded > 0 && !run.blnOutputFileWritten &&
        !run.blnRunInterrupted) {
        return kExitOutputFailed;
    }
    if (!refused.isEmpty()) return kExitInputRefused;
    for (const QString& procedure : ui.ReportedProcedures()) {
        if (procedure.startsWith(QLatin1String("DoItFrom"))) return kExitInputRefused;
    }
    return kExitCounted;
}

}  // namespace

int RunCountCommand(const QStringList& arguments) {
    StandardOutput out;
    const int status = RunCount(arguments, out);
    if (!out.Flush() && !out.ReaderGone()) {
        WriteTo(stderr, out.FailureMessage() + QLatin1Char('\n'));
        return kExitOutputFailed;
    }
    return out.Error() != 0 ? kExitOutputFailed : status;
}

}  // namespace lxt::cli

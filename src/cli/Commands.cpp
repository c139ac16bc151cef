#include "cli/Commands.h"

#include "catalogue/StyleCatalogue.h"
#include "cli/CommandSupport.h"
#include "cli/ImageCommands.h"
#include "cli/LoadedFile.h"
#include "cli/Messages.h"
#include "cli/StderrProgress.h"
#include "data/ArchiveFile.h"
#include "data/MdbFile.h"
#include "data/ReadableName.h"
#include "data/SafeFile.h"
#include "data/Win1252.h"
#include "edit/PaneLoad.h"
#include "edit/Reports.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

namespace tessaro::cli {

int RunReport(const CliOptions& options)
{
    const std::string& path = options.files[0];
    auto file = NewCommandFile();
    if (!Load(path, *file)) {
        return kFailed;
    }
    if (!SetFlashNames(options, ModelFor(options, *file), file->styles)) {
        return kFailed;
    }
    file->pane.tree.RelabelAll();

    const ReportKind kind = options.tabs ? ReportKind::Tabs : ReportKind::Formatted;
    if (options.output && *options.output != "-") {
        if (!WriteReportFile(kind, file->pane.tree, *options.output, CliProgress())) {
            PrintError(*options.output, Msg::ErrorCreatingProtocolFile, LastSaveFailureText());
            return kFailed;
        }
        return kOk;
    }
    WriteReport(
        kind, file->pane.tree,
        [](const char* data, std::size_t size) { return std::fwrite(data, 1, size, stdout) == size; },
        CliProgress());
    return FlushStdout() ? kOk : kFailed;
}

int RunList(const CliOptions& options)
{
    const std::string& path = options.files[0];
    auto file = NewCommandFile();
    if (!Load(path, *file)) {
        return kFailed;
    }
    // As the editor shows a loaded MDB: the factory names of its model.
    SetFactoryNames(file->styles, ModelFor(options, *file));
    file->pane.tree.RelabelAll();

    std::string text;
    for (const TreeNode* category = file->pane.tree.FirstCategory(); category;
         category = category->NextSibling()) {
        // A control character in a title would work on the terminal: shown as \xHH instead.
        text += Printable(ToUtf8(ReadableName(category->Text()))) + "\n";
        for (const TreeNode* entry = category->FirstChild(); entry; entry = entry->NextSibling()) {
            text += "\t" + Printable(ToUtf8(ReadableName(entry->Text()))) + "\n";
        }
        if (text.size() > 64 * 1024) {
            WriteToStdout(text);
            text.clear();
        }
    }
    WriteToStdout(text);
    return FlushStdout() ? kOk : kFailed;
}

int RunInfo(const CliOptions& options)
{
    const std::string& path = options.files[0];
    auto file = NewCommandFile();
    LoadCounts counts; // no tree: the counts are all info shows
    if (!Load(path, *file, false, &counts)) {
        return kFailed;
    }
    const bool isMdb = file->kind == FileKind::Mdb;
    std::string model = isMdb ? ModelName(file->model) : "none (an archive has no model)";
    if (isMdb && file->blankSignature) {
        model += " (blank signature)";
    }
    std::string text = "File:       " + Printable(path) + "\n";
    text += std::string("Kind:       ") + (isMdb ? "MDB backup file" : "MDB archive") + "\n";
    text += "Model:      " + model + "\n";
    text += std::string("Checksum:   ") +
            (!isMdb             ? "none (an archive has no checksum)"
             : file->checksumOk ? "good"
                                : "bad") +
            "\n";
    text += "Entries:    " + std::to_string(counts.entries) + "\n";
    text += "Categories: " + std::to_string(counts.categories) + "\n";
    WriteToStdout(text);
    return FlushStdout() ? kOk : kFailed;
}

int RunCheck(const CliOptions& options)
{
    const std::string& path = options.files[0];
    auto file = NewCommandFile();
    const std::optional<Msg> error = LoadFile(path, *file);
    if (!file->checksumOk) {
        PrintError(path, Msg::InvalidChecksum);
    }
    if (error == Msg::FileTooLargeToLoad || error == Msg::OutOfMemoryLoading) {
        PrintError(path, LoadMessageText(*error, path, file->fileBytes));
        return kFailed;
    }
    if (error) {
        PrintError(path, *error, file->openError);
        return kFailed;
    }
    if (file->ignoredBytes > 0) {
        PrintError(path, IgnoredTailText(file->ignoredBytes));
    }
    bool good = file->checksumOk && file->ignoredBytes == 0;
    std::string verdict = Printable(path) + ": OK\n";
    if (options.target) {
        SetFactoryNames(file->styles, *options.target);
        const std::size_t findings = PrintKeyboardFindings(file->pane.tree, *options.target);
        if (findings > 0) {
            PrintError(path, std::to_string(findings) + " finding" + (findings == 1 ? "" : "s") +
                                 " for the " + ModelName(*options.target));
            good = false;
        }
        verdict = Printable(path) + ": OK for the " + ModelName(*options.target) + "\n";
    }
    if (good) {
        WriteToStdout(verdict);
    }
    return FlushStdout() && good ? kOk : kFailed;
}

int RunConvert(const CliOptions& options)
{
    const std::string& in = options.files[0];
    const std::string& out = options.files[1];
    auto file = NewCommandFile();
    if (!Load(in, *file)) {
        return kFailed;
    }
    const RecordSource records = RecordsOf(file->pane.tree);
    const std::optional<Msg> error =
        EndsWithBup(out) ? WriteMdbFile(out, records, ModelFor(options, *file),
                                        file->blankSignature && !options.model) // --model: its signature
                         : WriteArchiveFile(out, records, WriteMode::Safe, CliProgress(),
                                            file->pane.tree.EntryNodeCount());
    if (error) {
        PrintSaveError(out, *error);
        ExplainImageFailure(out);
        return kFailed;
    }
    return FinishImageTarget(out, ModelFor(options, *file)) ? kOk : kFailed;
}

} // namespace tessaro::cli

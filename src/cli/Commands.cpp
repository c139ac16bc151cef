#include "cli/Commands.h"

#include "catalogue/StyleCatalogue.h"
#include "cli/LoadedFile.h"
#include "cli/Messages.h"
#include "data/ArchiveFile.h"
#include "data/AsciiCase.h"
#include "data/FlashStyleFile.h"
#include "data/MdbFile.h"
#include "data/ReadableName.h"
#include "data/Win1252.h"
#include "edit/Reports.h"

#include <cstdio>
#include <memory>

namespace tessaro::cli {

namespace {

constexpr int kOk = 0;
constexpr int kFailed = 1;

// Loads as the editor does and says what the editor would say. A bad checksum
// is a warning unless the caller counts it as a failure.
bool Load(const std::string& path, LoadedFile& file, bool checksumIsFailure = false)
{
    const std::optional<Msg> error = LoadFile(path, file);
    if (!file.checksumOk) {
        if (checksumIsFailure) {
            PrintError(path, Msg::InvalidChecksum);
        } else {
            PrintWarning(path, Msg::InvalidChecksum);
        }
    }
    if (error) {
        PrintError(path, *error);
        return false;
    }
    return file.checksumOk || !checksumIsFailure;
}

// The model whose factory names and MDB header apply: --model, else the MDB's
// own, else the PSR-9000.
KeyboardModel ModelFor(const CliOptions& options, const LoadedFile& file)
{
    if (options.model) {
        return *options.model;
    }
    return file.kind == FileKind::Mdb ? file.model : KeyboardModel::Psr9000;
}

void SetFactoryNames(KeyboardModel model)
{
    StyleCatalogue::Instance().SetFlashNamesFactory(model == KeyboardModel::Psr9000Pro);
}

// Sets the flash-style names the options ask for; false (said) when the
// flash-style file is refused.
bool SetFlashNames(const CliOptions& options, KeyboardModel model)
{
    StyleCatalogue& styles = StyleCatalogue::Instance();
    switch (options.flash) {
    case FlashChoice::Factory:
        SetFactoryNames(model);
        return true;
    case FlashChoice::Default:
        styles.SetFlashNamesDefault();
        return true;
    case FlashChoice::File: {
        const FlashStyleReadResult read = ReadFlashStyleFile(options.flashFile);
        if (!read.ok()) {
            PrintError(options.flashFile, *read.error);
            return false;
        }
        for (int f = 0; f < kFlashStyleNameCount; ++f) {
            styles.SetFlashNameIndividual(f, read.names[static_cast<std::size_t>(f)]);
        }
        return true;
    }
    }
    return false;
}

bool WriteToStdout(const std::string& text)
{
    return std::fwrite(text.data(), 1, text.size(), stdout) == text.size();
}

bool FlushStdout()
{
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        PrintError("standard output", "write error");
        return false;
    }
    return true;
}

const char* ModelName(KeyboardModel model)
{
    switch (model) {
    case KeyboardModel::Psr9000:
        return "PSR-9000";
    case KeyboardModel::Psr9000Pro:
        return "PSR-9000pro";
    case KeyboardModel::None:
        break;
    }
    return "none";
}

bool EndsWithBup(const std::string& name)
{
    constexpr std::string_view kExtension = ".bup";
    return name.size() >= kExtension.size() &&
           EqualsNoCase(std::string_view(name).substr(name.size() - kExtension.size()), kExtension);
}

} // namespace

int RunReport(const CliOptions& options)
{
    const std::string& path = options.files[0];
    auto file = std::make_unique<LoadedFile>();
    if (!Load(path, *file)) {
        return kFailed;
    }
    if (!SetFlashNames(options, ModelFor(options, *file))) {
        return kFailed;
    }
    file->pane.tree.RelabelAll();

    const ReportKind kind = options.tabs ? ReportKind::Tabs : ReportKind::Formatted;
    if (options.output) {
        if (!WriteReportFile(kind, file->pane.tree, *options.output)) {
            PrintError(*options.output, Msg::ErrorCreatingProtocolFile);
            return kFailed;
        }
        return kOk;
    }
    WriteReport(kind, file->pane.tree, [](const char* data, std::size_t size) {
        return std::fwrite(data, 1, size, stdout) == size;
    });
    return FlushStdout() ? kOk : kFailed;
}

int RunList(const CliOptions& options)
{
    const std::string& path = options.files[0];
    auto file = std::make_unique<LoadedFile>();
    if (!Load(path, *file)) {
        return kFailed;
    }
    // As the editor shows a loaded MDB: the factory names of its model.
    SetFactoryNames(ModelFor(options, *file));
    file->pane.tree.RelabelAll();

    std::string text;
    for (const TreeNode* category = file->pane.tree.FirstCategory(); category;
         category = category->NextSibling()) {
        text += ToUtf8(ReadableName(category->Text())) + "\n";
        for (const TreeNode* entry = category->FirstChild(); entry; entry = entry->NextSibling()) {
            text += "\t" + ToUtf8(ReadableName(entry->Text())) + "\n";
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
    auto file = std::make_unique<LoadedFile>();
    if (!Load(path, *file)) {
        return kFailed;
    }
    const bool isMdb = file->kind == FileKind::Mdb;
    std::string model = isMdb ? ModelName(file->model) : "none (an archive has no model)";
    if (isMdb && file->blankSignature) {
        model += " (blank signature)";
    }
    std::string text = "File:       " + path + "\n";
    text += std::string("Kind:       ") + (isMdb ? "MDB backup file" : "MDB archive") + "\n";
    text += "Model:      " + model + "\n";
    text += std::string("Checksum:   ") +
            (!isMdb             ? "none (an archive has no checksum)"
             : file->checksumOk ? "good"
                                : "bad") +
            "\n";
    text += "Entries:    " + std::to_string(file->pane.entryCount) + "\n";
    text += "Categories: " + std::to_string(file->pane.tree.CategoryCount()) + "\n";
    WriteToStdout(text);
    return FlushStdout() ? kOk : kFailed;
}

int RunCheck(const CliOptions& options)
{
    const std::string& path = options.files[0];
    auto file = std::make_unique<LoadedFile>();
    if (!Load(path, *file, true)) {
        return kFailed;
    }
    WriteToStdout(path + ": OK\n");
    return FlushStdout() ? kOk : kFailed;
}

int RunConvert(const CliOptions& options)
{
    const std::string& in = options.files[0];
    const std::string& out = options.files[1];
    auto file = std::make_unique<LoadedFile>();
    if (!Load(in, *file)) {
        return kFailed;
    }
    const RecordSource records = RecordsOf(file->pane.tree);
    const std::optional<Msg> error = EndsWithBup(out) ? WriteMdbFile(out, records, ModelFor(options, *file))
                                                      : WriteArchiveFile(out, records);
    if (error) {
        PrintError(out, *error);
        return kFailed;
    }
    return kOk;
}

} // namespace tessaro::cli

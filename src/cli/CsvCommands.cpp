// export and import: a file as a spreadsheet and back.

#include "catalogue/StyleCatalogue.h"
#include "cli/CommandSupport.h"
#include "cli/Commands.h"
#include "cli/ImageCommands.h"
#include "cli/Messages.h"
#include "data/ArchiveFile.h"
#include "data/InputFile.h"
#include "data/MdbFile.h"
#include "edit/EntryCsv.h"
#include "edit/PaneLoad.h"

#include <cstdio>
#include <memory>
#include <optional>

namespace tessaro::cli {

namespace {

// Far more rows than any collection holds (a row is some 700 bytes); a larger
// file is refused rather than read into memory.
constexpr uint64_t kMaxCsvBytes = uint64_t(1) << 30;

// The whole file, or nullopt (said) when it cannot be read.
std::optional<std::string> ReadWholeFile(const std::string& path)
{
    FileInput input;
    if (!input.Open(path)) {
        PrintError(path, "cannot be opened");
        return std::nullopt;
    }
    if (input.Length() > kMaxCsvBytes) {
        PrintError(path, "is larger than 1 GiB, too large for a spreadsheet of entries");
        return std::nullopt;
    }
    std::string text(input.Length(), '\0');
    if (input.Read(reinterpret_cast<uint8_t*>(text.data()), text.size()) != text.size()) {
        PrintError(path, "cannot be read");
        return std::nullopt;
    }
    return text;
}

} // namespace

int RunExport(const CliOptions& options)
{
    const std::string& path = options.files[0];
    auto file = NewCommandFile();
    if (!Load(path, *file) || !SetFlashNames(options, ModelFor(options, *file), file->styles)) {
        return kFailed;
    }
    if (options.output) {
        if (!WriteEntryCsvFile(file->pane.tree, *options.output)) {
            PrintError(*options.output, "the CSV file cannot be written");
            return kFailed;
        }
        return kOk;
    }
    WriteEntryCsv(file->pane.tree, [](const char* data, std::size_t size) {
        return std::fwrite(data, 1, size, stdout) == size;
    });
    return FlushStdout() ? kOk : kFailed;
}

int RunImport(const CliOptions& options)
{
    const std::string& in = options.files[0];
    const std::string& out = options.files[1];
    const std::optional<std::string> text = ReadWholeFile(in);
    if (!text) {
        return kFailed;
    }
    const CsvImportResult read = ReadEntryCsv(*text);
    if (!read.errors.empty()) {
        for (const CsvImportError& error : read.errors) {
            PrintError(in, DescribeImportError(error));
        }
        PrintError(out, "not written");
        return kFailed;
    }

    // Sorted in as the editor loads a file, so the file written is what loading and saving would give.
    const StyleCatalogue styles; // labels are not written: any names serve
    auto pane = std::make_unique<PaneState>(styles);
    {
        BulkTreeChange bulk(pane->tree);
        for (const MdbEntry& record : read.records) {
            if (!InsertLoadedRecord(*pane, record)) {
                PrintError(in, Msg::ErrorLoadingDisplayBuffer);
                return kFailed;
            }
        }
    }
    const RecordSource records = RecordsOf(pane->tree);
    const std::optional<Msg> error =
        EndsWithBup(out) ? WriteMdbFile(out, records, options.model.value_or(KeyboardModel::Psr9000))
                         : WriteArchiveFile(out, records);
    if (error) {
        PrintError(out, *error);
        ExplainImageFailure(out);
        return kFailed;
    }
    return FinishImageTarget(out, options.model.value_or(KeyboardModel::Psr9000)) ? kOk : kFailed;
}

} // namespace tessaro::cli

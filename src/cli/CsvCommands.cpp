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
#include "edit/PaneState.h"

#include <cstdio>
#include <memory>
#include <optional>

namespace tessaro::cli {

int RunExport(const CliOptions& options)
{
    const std::string& path = options.files[0];
    auto file = NewCommandFile();
    if (!Load(path, *file) || !SetFlashNames(options, ModelFor(options, *file), file->styles)) {
        return kFailed;
    }
    if (options.output && *options.output != "-") {
        if (!WriteEntryCsvFile(file->pane.tree, *options.output)) {
            PrintError(*options.output, "the CSV file cannot be written" + SaveFailureReason());
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
    FileInput input;
    if (!input.Open(in)) {
        PrintError(in, "cannot be opened (" + input.ErrorText() + ")");
        return kFailed;
    }

    // Read as it arrives and sorted in as the editor loads a file, so the file
    // written is what loading and saving would give; memory follows the entries.
    const StyleCatalogue styles; // labels are not written: any names serve
    auto pane = std::make_unique<PaneState>(styles);
    uint64_t bytesRead = 0;
    bool refused = false;
    std::size_t faults = 0;
    {
        BulkTreeChange bulk(pane->tree);
        faults = ReadEntryCsv(
            [&input, &bytesRead](char* buffer, std::size_t capacity) {
                const std::size_t got = input.Read(reinterpret_cast<uint8_t*>(buffer), capacity);
                bytesRead += got;
                return got;
            },
            [&](const MdbEntry& record) {
                // After a fault nothing is written: the rows are only read for their faults.
                if (faults == 0 && !refused) {
                    refused = InsertImportedRecord(pane->tree, record) == nullptr;
                }
                return true;
            },
            [&](const CsvImportError& error) {
                ++faults;
                PrintError(in, DescribeImportError(error));
            });
    }
    if (bytesRead < input.Length()) {
        PrintError(in, "cannot be read");
        faults = faults + 1;
    }
    if (faults > 0) {
        PrintError(out, "not written");
        return kFailed;
    }
    if (refused) {
        PrintError(in, Msg::ErrorLoadingDisplayBuffer);
        return kFailed;
    }
    const RecordSource records = RecordsOf(pane->tree);
    const std::optional<Msg> error =
        EndsWithBup(out) ? WriteMdbFile(out, records, options.model.value_or(KeyboardModel::Psr9000))
                         : WriteArchiveFile(out, records);
    if (error) {
        PrintSaveError(out, *error);
        ExplainImageFailure(out);
        return kFailed;
    }
    return FinishImageTarget(out, options.model.value_or(KeyboardModel::Psr9000)) ? kOk : kFailed;
}

} // namespace tessaro::cli

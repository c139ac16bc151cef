#include "cli/CommandSupport.h"

#include "data/InputFile.h"

#include "catalogue/StyleCatalogue.h"
#include "cli/ImageCommands.h"
#include "cli/Commands.h"
#include "cli/Messages.h"
#include "data/AsciiCase.h"
#include "data/FlashStyleFile.h"
#include "data/SafeFile.h"
#include "edit/PaneLoad.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <new>
#include <string_view>

namespace tessaro::cli {

namespace {

// Why a file could not be opened, in the system's words.
std::string OpenFailureReason(const std::string& path)
{
    FileInput input;
    input.Open(path);
    return input.ErrorText();
}

} // namespace

std::string IgnoredTailText(std::size_t bytes)
{
    return "the archive ends in " + std::to_string(bytes) + (bytes == 1 ? " byte" : " bytes") +
           " that are not a whole record; they were ignored";
}

bool Load(const std::string& path, LoadedFile& file, bool strict, LoadCounts* countOnly)
{
    const std::optional<Msg> error = LoadFile(path, file, countOnly);
    if (!file.checksumOk) {
        if (strict) {
            PrintError(path, Msg::InvalidChecksum);
        } else {
            PrintWarning(path, Msg::InvalidChecksum);
        }
    }
    if (error == Msg::FileTooLargeToLoad || error == Msg::OutOfMemoryLoading) {
        PrintError(path, LoadMessageText(*error, path, file.fileBytes));
        return false;
    }
    if (error) {
        PrintError(path, *error, file.openError);
        HintAtFileInsideImage(path);
        return false;
    }
    if (file.ignoredBytes > 0) {
        PrintError(path, (strict ? "" : "warning: ") + IgnoredTailText(file.ignoredBytes));
    }
    return !strict || (file.checksumOk && file.ignoredBytes == 0);
}

KeyboardModel ModelFor(const CliOptions& options, const LoadedFile& file)
{
    if (options.model) {
        return *options.model;
    }
    return file.kind == FileKind::Mdb ? file.model : KeyboardModel::Psr9000;
}

void SetFactoryNames(StyleCatalogue& styles, KeyboardModel model)
{
    styles.SetFlashNamesFactory(model == KeyboardModel::Psr9000Pro);
}

bool SetFlashNames(const CliOptions& options, KeyboardModel model, StyleCatalogue& styles)
{
    switch (options.flash) {
    case FlashChoice::Factory:
        SetFactoryNames(styles, model);
        return true;
    case FlashChoice::Default:
        styles.SetFlashNamesDefault();
        return true;
    case FlashChoice::File: {
        const FlashStyleReadResult read = ReadFlashStyleFile(options.flashFile);
        if (!read.ok()) {
            PrintError(options.flashFile, *read.error,
                       read.error == Msg::ErrorOpeningFlashStyle ? OpenFailureReason(options.flashFile) : "");
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
        PrintError("standard output", std::string("write error (") + std::strerror(errno) + ")");
        return false;
    }
    return true;
}

void PrintSaveError(const std::string& path, Msg error)
{
    if (error == Msg::NoSpaceForSafeSave) {
        // The editor may ask to write over the file itself; unasked, that is too risky.
        PrintError(path, "not enough free space for a safe save (a temporary copy beside the file); "
                         "the file was left as it was");
        return;
    }
    PrintError(path, error, LastSaveFailureText());
}

int RunWithinMemory(const std::function<int()>& command, int failureStatus)
{
    try {
        return command();
    } catch (const std::bad_alloc&) {
        // Nothing is allocated here: the message must come out when memory is short.
        std::fputs("tessaro-cli: out of memory: the command was stopped; every file on disk is as it was\n",
                   stderr);
        return failureStatus;
    }
}

std::string SaveFailureReason()
{
    const std::string reason = LastSaveFailureText();
    return reason.empty() ? "" : " (" + reason + ")";
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

} // namespace tessaro::cli

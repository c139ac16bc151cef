#include "cli/CommandSupport.h"

#include "catalogue/StyleCatalogue.h"
#include "cli/Messages.h"
#include "data/AsciiCase.h"
#include "data/FlashStyleFile.h"

#include <cstdio>
#include <string_view>

namespace tessaro::cli {

bool Load(const std::string& path, LoadedFile& file, bool checksumIsFailure)
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

} // namespace tessaro::cli

// voices and styles: the catalogues as the entry editor's lists offer them.

#include "catalogue/StyleCatalogue.h"
#include "catalogue/VoiceCatalogue.h"
#include "cli/CommandSupport.h"
#include "cli/Commands.h"
#include "data/ReadableName.h"
#include "data/Win1252.h"

namespace tessaro::cli {

int RunVoices(const CliOptions& options)
{
    const KeyboardModel model = options.model.value_or(KeyboardModel::Psr9000);
    std::string text;
    for (int row = 0; row < kVoiceCount; ++row) {
        if (VoiceCatalogue::IsVoiceHidden(row) ||
            (VoiceCatalogue::IsProOnlyVoice(row) && model != KeyboardModel::Psr9000Pro)) {
            continue;
        }
        const VoiceRef voice = VoiceRef::FromPacked(VoiceCatalogue::GetVoicePacked(row));
        text += std::to_string(row) + "\t" + std::to_string(voice.msb) + "\t" + std::to_string(voice.lsb) +
                "\t" + std::to_string(voice.program) + "\t" +
                ToUtf8(ReadableName(VoiceCatalogue::GetVoiceName(row))) + "\n";
    }
    WriteToStdout(text);
    return FlushStdout() ? kOk : kFailed;
}

int RunStyles(const CliOptions& options)
{
    StyleCatalogue styles;
    if (!SetFlashNames(options, options.model.value_or(KeyboardModel::Psr9000), styles)) {
        return kFailed;
    }
    std::string text;
    for (int index = 0; index < kCatalogueStyleCount; ++index) {
        text += std::to_string(index) + "\t" + ToUtf8(ReadableName(styles.GetStyleLabel(index))) + "\n";
    }
    WriteToStdout(text);
    return FlushStdout() ? kOk : kFailed;
}

} // namespace tessaro::cli

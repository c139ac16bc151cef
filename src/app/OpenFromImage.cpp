#include "app/OpenFromImage.h"

#include "app/PaneKinds.h"
#include "image/ImageFiles.h"
#include "image/ImagePath.h"

#include <iterator>
#include <vector>

namespace tessaro {

namespace {

// By PaneIndex: only the archive pane looks inside images from its file dialog.
constexpr bool kOpensInsideImages[] = {false, true};
static_assert(std::size(kOpensInsideImages) == std::size(kPaneIds));

} // namespace

FileDialogRequest OpenDialogWithImages(PaneId pane, FileDialogRequest request)
{
    if (!kOpensInsideImages[PaneIndex(pane)])
        return request;
    // After the first "name|patterns|" pair, so the pane's own type stays the default.
    std::size_t end = request.filter.find('|');
    if (end != std::string::npos)
        end = request.filter.find('|', end + 1);
    if (end != std::string::npos)
        request.filter.insert(end + 1, Tr(Caption::ImageFilter));
    return request;
}

std::optional<std::string> FileToOpenFromImage(PaneId pane, const std::string& chosen, Prompts& prompts)
{
    if (!kOpensInsideImages[PaneIndex(pane)] || !HasImageExtension(chosen))
        return chosen;
    FatVolume volume;
    if (const std::optional<ImageError> error = LoadImageFile(chosen, volume)) {
        prompts.MessageBox(error->Text(), MsgIcon::Warning, MsgButtons::Ok);
        return std::nullopt;
    }
    const std::vector<std::string> archives = ArchivesOnDisk(volume);
    if (archives.empty()) {
        prompts.MessageBox(FillArgs(Tr(Msg::ImageNoArchive), {chosen}), MsgIcon::Warning, MsgButtons::Ok);
        return std::nullopt;
    }
    std::size_t index = 0;
    if (archives.size() > 1) {
        const std::optional<std::size_t> choice = prompts.ChooseItem(
            Tr(KindOf(pane).openTitle), FillArgs(Tr(Msg::ImageSeveralArchives), {chosen}), archives);
        if (!choice || *choice >= archives.size())
            return std::nullopt;
        index = *choice;
    }
    return JoinImagePath(chosen, archives[index]);
}

} // namespace tessaro

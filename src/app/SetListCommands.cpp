#include "app/SetListCommands.h"

#include "data/SafeFile.h"

#include <filesystem>

namespace tessaro {

std::string SetListFileLabel(const PaneState& pane)
{
    if (pane.untitled || pane.fileName.empty())
        return Tr(Caption::Untitled);
    const std::filesystem::path path(pane.fileName);
    const std::string folder = path.parent_path().filename().string();
    const std::string name = path.filename().string();
    return folder.empty() ? name : folder + "/" + name;
}

SetList PaneSetList(const PaneState& pane)
{
    return MakeSetList(pane.tree, SetListFileLabel(pane));
}

bool ConfirmSetListPages(std::size_t pages, Prompts& prompts)
{
    if (pages <= kSetListPagesWithoutAsking)
        return true;
    return prompts.MessageBox(FillArgs(Tr(Msg::SetListManyPages), {std::to_string(pages)}), MsgIcon::Question,
                              MsgButtons::YesNo) == MsgAnswer::Yes;
}

bool ExportSetListPdf(const PaneState& pane, Prompts& prompts, SetListRenderer& renderer)
{
    if (!pane.loaded)
        return false;
    const SetList list = [&] {
        WaitCursor wait(prompts);
        return PaneSetList(pane);
    }();
    if (!ConfirmSetListPages(renderer.PageCount(list), prompts))
        return false;
    FileDialogRequest request;
    request.title = Tr(Caption::ExportPdfTitle);
    request.filter = Tr(Caption::PdfFilter);
    request.defaultExtension = ".pdf";
    if (!pane.untitled && !pane.fileName.empty())
        request.initialName = std::filesystem::path(pane.fileName).replace_extension(".pdf").string();
    request.overwritePrompt = true;
    const std::optional<std::string> path = prompts.SaveFileDialog(request);
    if (!path || path->empty())
        return false;
    std::string pdf;
    SaveFailure failure = SaveFailure::Other;
    {
        WaitCursor wait(prompts);
        pdf = renderer.Pdf(list);
        if (pdf.empty() && renderer.Cancelled())
            return false;
        if (!pdf.empty())
            failure = WriteWholeFile(*path, pdf.data(), pdf.size());
    }
    if (failure == SaveFailure::None)
        return true;
    // Nothing was written when the pages could not be laid out: no system reason to give.
    prompts.MessageBox(pdf.empty() ? Tr(Msg::ErrorWritingPdf) : WithSaveReason(Msg::ErrorWritingPdf, *path),
                       MsgIcon::Warning, MsgButtons::Ok);
    return false;
}

} // namespace tessaro

#include "edit/Reports.h"

#include "common/Progress.h"
#include "common/Prompts.h"
#include "data/SafeFile.h"
#include "edit/PaneState.h"

#include <optional>

namespace tessaro {

namespace {

// Lines are gathered and handed on in pieces of about this size.
constexpr std::size_t kChunkSize = 64 * 1024;

// Tells a cancel apart from a failure.
class CancelWatch final : public Progress
{
public:
    explicit CancelWatch(Progress* inner) : inner_(inner) {}
    void Start(Caption caption, uint64_t total) override { inner_->Start(caption, total); }
    bool Step(uint64_t done) override { return cancelled_ = cancelled_ || inner_->Step(done); }
    void Finish() override { inner_->Finish(); }
    bool Cancelled() const { return cancelled_; }

private:
    Progress* inner_;
    bool cancelled_ = false;
};

void WriteProtocol(ReportKind kind, const PaneState& pane, Prompts& prompts, Progress* progress)
{
    FileDialogRequest request;
    request.title = Tr(Caption::CreateProtocolTitle);
    request.filter = Tr(Caption::ProtocolFilter);
    request.defaultExtension = ".txt";
    request.overwritePrompt = true;
    const std::optional<std::string> path = prompts.SaveFileDialog(request);
    if (!path || path->empty()) {
        return;
    }

    bool written = false;
    std::optional<CancelWatch> watch;
    if (progress)
        watch.emplace(progress);
    {
        WaitCursor wait(prompts);
        written = WriteReportFile(kind, pane.tree, *path, watch ? &*watch : nullptr);
    }
    // Unlike a plain file, a failed write is noticed too, and the old file stays.
    if (!written && !(watch && watch->Cancelled())) {
        prompts.MessageBox(WithSaveReason(Msg::ErrorCreatingProtocolFile, *path), MsgIcon::Warning,
                           MsgButtons::Ok);
    }
}

} // namespace

bool WriteReport(ReportKind kind, const CategoryTree& tree, const ReportSink& sink, Progress* progress)
{
    ProgressScope scope(progress, Caption::ProgressReport, tree.EntryNodeCount());
    uint64_t done = 0;
    ReportLineWriter lines(kind, tree.Styles());
    std::string chunk = ReportHeader(kind);
    chunk.reserve(kChunkSize + 4096);
    for (const TreeNode* category = tree.FirstCategory(); category; category = category->NextSibling()) {
        for (const TreeNode* entry = category->FirstChild(); entry; entry = entry->NextSibling()) {
            if (scope.Step(done++))
                return false;
            lines.Append(*entry->Payload(), chunk);
            if (chunk.size() >= kChunkSize) {
                if (!sink(chunk.data(), chunk.size())) {
                    return false;
                }
                chunk.clear();
            }
        }
    }
    return sink(chunk.data(), chunk.size());
}

std::string ReportText(ReportKind kind, const CategoryTree& tree)
{
    std::string text;
    WriteReport(kind, tree, [&text](const char* data, std::size_t size) {
        text.append(data, size);
        return true;
    });
    return text;
}

bool WriteReportFile(ReportKind kind, const CategoryTree& tree, const std::string& path, Progress* progress)
{
    SafeFileWriter file(path);
    if (file.Failed()) {
        return false;
    }
    const bool written = WriteReport(
        kind, tree, [&file](const char* data, std::size_t size) { return file.Write(data, size); }, progress);
    return written && file.Commit();
}

void WriteFormattedProtocol(const PaneState& pane, Prompts& prompts, Progress* progress)
{
    WriteProtocol(ReportKind::Formatted, pane, prompts, progress);
}

void WriteTabProtocol(const PaneState& pane, Prompts& prompts, Progress* progress)
{
    WriteProtocol(ReportKind::Tabs, pane, prompts, progress);
}

} // namespace tessaro

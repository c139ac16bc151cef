#include "app/MdbCapacity.h"

#include "app/WindowFacts.h"
#include "data/MdbImage.h"
#include "edit/EditOperations.h"
#include "edit/TreeNode.h"

#include <algorithm>

namespace tessaro {

std::size_t EntriesIn(const std::vector<TreeNode*>& nodes)
{
    std::size_t entries = 0;
    for (const TreeNode* node : nodes) {
        if (node->IsCategory())
            entries += static_cast<std::size_t>(node->ChildCount());
        else if (std::find(nodes.begin(), nodes.end(), node->Parent()) == nodes.end())
            ++entries;
    }
    return entries;
}

bool ConfirmMdbCapacity(PaneId target, const PaneState& pane, std::size_t adding, Prompts& prompts)
{
    const std::size_t after = static_cast<std::size_t>(pane.EntryCount()) + adding;
    if (target != PaneId::Mdb || adding == 0 || after <= static_cast<std::size_t>(kSlotCount))
        return true;
    const std::string question = FillArgs(Tr(Msg::MdbWouldHoldTooMany), {std::to_string(after)});
    return prompts.MessageBox(question, MsgIcon::Question, MsgButtons::YesNo) == MsgAnswer::Yes;
}

std::string TransferredText(bool move, std::size_t entries, const std::string& destination)
{
    const Caption one = move ? Caption::MovedOneEntry : Caption::CopiedOneEntry;
    const Caption several = move ? Caption::MovedEntries : Caption::CopiedEntries;
    return FillArgs(Tr(entries == 1 ? one : several), {std::to_string(entries), destination});
}

std::string TransferDestination(const PaneState& target, const std::vector<TreeNode*>& nodes,
                                TreeNode* destination)
{
    const bool allEntries =
        !nodes.empty() && std::all_of(nodes.begin(), nodes.end(), [](const TreeNode* n) { return n->IsEntry(); });
    // Into an empty target entries keep their own categories.
    const TreeNode* category = target.tree.IsEmpty() ? nullptr : CategoryOf(destination);
    if (allEntries && category)
        return category->Text();
    // A whole category keeps its name wherever it goes, and so do entries of it sent along.
    const TreeNode* whole = nullptr;
    const bool oneCategory = std::all_of(nodes.begin(), nodes.end(), [&](const TreeNode* n) {
        if (n->IsEntry())
            return true;
        if (whole)
            return false;
        whole = n;
        return true;
    });
    if (oneCategory && whole &&
        std::all_of(nodes.begin(), nodes.end(), [&](const TreeNode* n) { return n == whole || n->Parent() == whole; }))
        return whole->Text();
    if (target.untitled || target.fileName.empty())
        return Tr(Caption::Untitled);
    return ShortFileName(target.fileName);
}

} // namespace tessaro

#include "app/MdbCapacity.h"

#include "data/MdbImage.h"
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

} // namespace tessaro

// The edit column's commands, what the selection allows, and their states.
#include "app/EditColumn.h"
#include "app/MdbCapacity.h"

#include "data/Win1252.h"
#include "edit/EditOperations.h"
#include "edit/Reports.h"
#include "edit/Search.h"

#include <type_traits>

namespace tessaro {

std::string StepName(Caption action, const TreeNode* node)
{
    if (!node)
        return Tr(action);
    std::string name = node->IsCategory() ? node->CategoryName() : node->Payload()->GetTitle();
    name.erase(0, name.find_first_not_of(' ')); // a sub entry's indent is no part of its name
    return Tr(action) + " \"" + ToUtf8(name) + "\"";
}

std::string StepName(Caption action, const std::vector<TreeNode*>& nodes)
{
    if (nodes.size() == 1)
        return StepName(action, nodes.front());
    return FillArgs(Tr(Caption::SeveralNodesStep), {Tr(action), std::to_string(nodes.size())});
}

// The Search dialog searches the active pane at each press.
class EditColumn::ActivePaneSearch final : public SearchHost
{
public:
    explicit ActivePaneSearch(EditColumn& column) : column_(column) {}

    bool SearchStep(const std::string& text) override
    {
        column_.lastSearchText_ = text; // for Search again
        PaneState* pane = column_.context_.ActivePane();
        return pane && SearchNext(*pane, text);
    }
    bool SearchesLeftPane() const override { return column_.context_.active == PaneId::Mdb; }

private:
    EditColumn& column_;
};

EditFacts EditColumn::Facts() const
{
    EditFacts facts;
    if (!context_.active)
        return facts; // the whole edit column is disabled
    const PaneState& active = context_.Pane(*context_.active);
    const PaneState& other = context_.Pane(tessaro::OtherPane(*context_.active));
    facts.paneLoaded = active.loaded;
    facts.otherLoaded = other.loaded;
    const TreeNode* selected = active.tree.Selected();
    if (!facts.paneLoaded || !selected)
        return facts;
    facts.selected = true;
    // Edit, Main entry, Up and Down act on exactly one node.
    facts.single = active.tree.SelectionCount() == 1;
    if (!facts.single)
        return facts;
    if (selected->IsEntry()) {
        if (InSameGroup(selected->PrevSibling(), selected)) {
            facts.upAllowed = true;
            facts.isSub = selected->Payload()->IsSubEntry();
            facts.isMain = !facts.isSub;
        }
        facts.downAllowed = InSameGroup(selected->NextSibling(), selected);
    } else {
        facts.upAllowed = selected->PrevSibling() != nullptr;
        facts.downAllowed = selected->NextSibling() != nullptr;
    }
    return facts;
}

void EditColumn::FillStates(CommandStates& states)
{
    const EditFacts facts = Facts();
    // Copy and Move name the pane they go to; the edit column's texts lean towards the active pane.
    if (!context_.active) {
        states[CommandId::Copy].caption = Tr(Caption::Copy);
        states[CommandId::Move].caption = Tr(Caption::Move);
        states.editColumnAlignment = TextAlignment::Centre;
    } else if (*context_.active == PaneId::Mdb) {
        states[CommandId::Copy].caption = Tr(Caption::CopyToArchive);
        states[CommandId::Move].caption = Tr(Caption::MoveToArchive);
        states.editColumnAlignment = TextAlignment::Left;
    } else {
        states[CommandId::Copy].caption = Tr(Caption::CopyToMdb);
        states[CommandId::Move].caption = Tr(Caption::MoveToMdb);
        states.editColumnAlignment = TextAlignment::Right;
    }
    // Without an active pane the button keeps whatever it read last.
    if (context_.active)
        mainEntryCaption_ = facts.isMain ? Caption::SubEntry : Caption::MainEntry;
    states[CommandId::MainEntry].caption = Tr(mainEntryCaption_);

    const auto enable = [&states](CommandId id, bool enabled) { states[id].enabled = enabled; };
    enable(CommandId::NewCategory, facts.paneLoaded);
    enable(CommandId::Edit, facts.paneLoaded && facts.single);
    enable(CommandId::MainEntry, facts.isSub || facts.isMain);
    enable(CommandId::Copy, facts.paneLoaded && facts.selected && facts.otherLoaded);
    enable(CommandId::Move, facts.paneLoaded && facts.selected && facts.otherLoaded);
    enable(CommandId::Up, facts.upAllowed);
    enable(CommandId::Down, facts.downAllowed);
    enable(CommandId::Delete, facts.paneLoaded && facts.selected);
    for (CommandId id :
         {CommandId::Search, CommandId::SearchAgain, CommandId::ProtocolFormatted, CommandId::ProtocolTabs})
        enable(id, facts.paneLoaded);

    const History& history = context_.workspace.history;
    enable(CommandId::Undo, history.CanUndo());
    enable(CommandId::Redo, history.CanRedo());
    if (history.CanUndo())
        states[CommandId::Undo].tooltip = FillArgs(Tr(Caption::UndoTip), {history.UndoName()});
    if (history.CanRedo())
        states[CommandId::Redo].tooltip = FillArgs(Tr(Caption::RedoTip), {history.RedoName()});
}

template <class Command> void EditColumn::AsStep(const std::string& name, Command command)
{
    History& history = context_.workspace.history;
    history.Begin(name, *context_.active);
    if constexpr (std::is_same_v<decltype(command()), bool>) {
        if (!command()) {
            history.Rollback(); // cancelled part way: as if it never ran
            return;
        }
    } else {
        command();
    }
    history.Commit();
}

void EditColumn::NewCategory()
{
    if (Facts().paneLoaded)
        AsStep(Tr(Caption::NewCategory),
               [this] { tessaro::NewCategory(*context_.ActivePane(), context_.prompts); });
}

void EditColumn::EditSelected()
{
    const EditFacts facts = Facts();
    if (!facts.paneLoaded || !facts.single)
        return;
    const TreeNode* selected = context_.ActivePane()->tree.Selected();
    AsStep(StepName(selected->IsCategory() ? Caption::RenameStep : Caption::EditStep, selected),
           [this] { tessaro::EditSelected(*context_.ActivePane(), context_.prompts, Model()); });
}

void EditColumn::ToggleMainEntry()
{
    const EditFacts facts = Facts();
    if (facts.isSub || facts.isMain)
        AsStep(StepName(facts.isSub ? Caption::MainEntry : Caption::SubEntry,
                        context_.ActivePane()->tree.Selected()),
               [this] { tessaro::ToggleMainEntry(*context_.ActivePane()); });
}

void EditColumn::CopyOrMove(bool move)
{
    const EditFacts facts = Facts();
    if (!facts.paneLoaded || !facts.selected || !facts.otherLoaded)
        return;
    PaneState& source = *context_.ActivePane();
    PaneState& target = *context_.OtherPane();
    const std::vector<TreeNode*> nodes = source.tree.SelectedNodes();
    if (!ConfirmMdbCapacity(tessaro::OtherPane(*context_.active), target, EntriesIn(nodes), context_.prompts))
        return;
    const ProgressFile named(context_.progress, target.fileName);
    const std::string where = TransferDestination(target, nodes, target.tree.Selected());
    const int had = target.EntryCount();
    bool done = false;
    AsStep(StepName(move ? Caption::Move : Caption::Copy, nodes), [&] {
        done = Transfer(source, nodes, target, target.tree.Selected(), move, context_.prompts,
                        context_.progress);
        return done;
    });
    if (done && target.EntryCount() > had)
        context_.lastTransfer.Note(move, static_cast<std::size_t>(target.EntryCount() - had), where);
}

void EditColumn::Copy()
{
    CopyOrMove(false);
}

void EditColumn::Move()
{
    CopyOrMove(true);
}

void EditColumn::MoveUp()
{
    if (Facts().upAllowed)
        AsStep(StepName(Caption::Up, context_.ActivePane()->tree.Selected()),
               [this] { tessaro::MoveUp(*context_.ActivePane()); });
}

void EditColumn::MoveDown()
{
    if (Facts().downAllowed)
        AsStep(StepName(Caption::Down, context_.ActivePane()->tree.Selected()),
               [this] { tessaro::MoveDown(*context_.ActivePane()); });
}

void EditColumn::DeleteSelected()
{
    const EditFacts facts = Facts();
    if (!facts.paneLoaded || !facts.selected)
        return;
    PaneState& pane = *context_.ActivePane();
    const std::vector<TreeNode*> nodes = pane.tree.SelectedNodes();
    AsStep(StepName(Caption::Delete, nodes), [&] { Delete(pane, nodes, context_.prompts); });
}

void EditColumn::Undo()
{
    if (context_.workspace.history.CanUndo())
        context_.active = context_.workspace.history.Undo();
}

void EditColumn::Redo()
{
    if (context_.workspace.history.CanRedo())
        context_.active = context_.workspace.history.Redo();
}

void EditColumn::Search()
{
    if (!Facts().paneLoaded)
        return;
    ActivePaneSearch host(*this);
    context_.prompts.RunSearchDialog(host);
}

void EditColumn::SearchAgain()
{
    if (!Facts().paneLoaded)
        return;
    if (lastSearchText_.empty()) {
        Search();
        return;
    }
    if (!SearchNext(*context_.ActivePane(), lastSearchText_))
        context_.prompts.Warn(Msg::TextNotFound);
}

void EditColumn::WriteFormattedProtocol()
{
    if (Facts().paneLoaded)
        tessaro::WriteFormattedProtocol(*context_.ActivePane(), context_.prompts, context_.progress);
}

void EditColumn::WriteTabProtocol()
{
    if (Facts().paneLoaded)
        tessaro::WriteTabProtocol(*context_.ActivePane(), context_.prompts, context_.progress);
}

bool EditColumn::EditEntryOf(PaneId id)
{
    PaneState& pane = context_.Pane(id);
    const TreeNode* selected = pane.tree.Selected();
    if (!pane.loaded || !selected || !selected->IsEntry() || pane.tree.SelectionCount() != 1)
        return false;
    context_.workspace.history.Begin(StepName(Caption::EditStep, selected), id);
    tessaro::EditSelected(pane, context_.prompts, Model());
    context_.workspace.history.Commit();
    return true;
}

} // namespace tessaro

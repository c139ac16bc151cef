#pragma once
// The edit column: the commands on the active pane's selection (New category,
// Edit, Main/Sub entry, Copy, Move, Up, Down, Delete), Search, the protocols,
// and Undo and Redo. Each command does nothing while its button would be
// disabled, so a click that races a state change cannot reach a pane that is
// not there.

#include "app/CommandStates.h"
#include "app/Options.h"
#include "app/WindowContext.h"
#include "common/Texts.h"

#include <string>
#include <vector>

namespace tessaro {

class TreeNode;

// The name of a history step: the action and what it acted on ("Delete
// "Yesterday"", or how many nodes).
std::string StepName(Caption action, const TreeNode* node);
std::string StepName(Caption action, const std::vector<TreeNode*>& nodes);

// What the edit column may do with the active pane's selection.
struct EditFacts
{
    bool paneLoaded = false;
    bool otherLoaded = false;
    bool selected = false; // one node or more
    bool single = false;   // exactly one
    bool upAllowed = false;
    bool downAllowed = false;
    bool isSub = false;
    bool isMain = false;

    bool operator==(const EditFacts&) const = default;
};

class EditColumn
{
public:
    // The options give the model an edited entry's voices are checked against.
    EditColumn(WindowContext& context, const Options& options) : context_(context), options_(options) {}

    EditFacts Facts() const;

    void NewCategory();
    void EditSelected();
    void ToggleMainEntry();
    void Copy(); // from the active pane to the other one
    void Move();
    void MoveUp();
    void MoveDown();
    void DeleteSelected();
    void Search();
    // The last search once more, from the selection on ("Text not found!" when
    // nothing matches); the Search dialog while nothing was searched yet.
    void SearchAgain();
    const std::string& LastSearchText() const { return lastSearchText_; }
    void WriteFormattedProtocol();
    void WriteTabProtocol();
    // Take back the last change / make it again, in whichever panes it touched;
    // the pane it started from becomes active.
    void Undo();
    void Redo();
    // A double click on an entry of the pane edits it; false for anything else
    // (the tree opens or closes the category).
    bool EditEntryOf(PaneId pane);

    // The edit column's states, captions, tooltips and alignment.
    void FillStates(CommandStates& states);

private:
    class ActivePaneSearch;
    // Runs one edit-column command as one step of the history.
    template <class Command> void AsStep(const std::string& name, Command command);
    void CopyOrMove(bool move);
    KeyboardModel Model() const { return options_.Model(); }

    WindowContext& context_;
    const Options& options_;
    std::string lastSearchText_; // what the Search dialog last searched for
    // The Main entry button keeps its caption while no pane is active.
    Caption mainEntryCaption_ = Caption::MainEntry;
};

} // namespace tessaro

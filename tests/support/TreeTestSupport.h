#pragma once
// Building trees and checking them in the tree and editing tests.

#include "catalogue/StyleCatalogue.h"
#include "edit/CategoryTree.h"
#include "edit/EntryNode.h"
#include "edit/History.h"
#include "edit/PaneState.h"
#include "support/PaneMarks.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>

namespace tessaro {

// The style names with the numbered flash names, for trees whose labels do not matter.
const StyleCatalogue& NumberedStyles();

std::unique_ptr<EntryNode> MakeEntry(const std::string& category, int style, int tempo,
                                     const std::string& title);
std::unique_ptr<EntryNode> MakePlaceholder(const std::string& category);

// InsertSorted into the pane, counting it as loading does.
TreeNode* AddEntry(PaneState& pane, const std::string& category, int style, int tempo,
                   const std::string& title);
// Two panes and their history, for the tests that ask which panes an operation
// changed ("modified"): Step runs the operation as one step of the history, as
// the window runs its commands.
struct SteppedPanes
{
    Panes panes{PaneState(NumberedStyles()), PaneState(NumberedStyles())};
    History history{panes};

    template <class Operation> decltype(auto) Step(Operation operation)
    {
        struct Commit
        {
            History& history;
            ~Commit() { history.Commit(); }
        };
        history.Begin("Test", PaneId::Mdb);
        const Commit commit{history};
        return operation();
    }
};

// A category made empty, as "New category" makes it, at the bottom.
TreeNode* AddEmptyCategory(PaneState& pane, const std::string& category);

// Every rule of the tree: the four invariants (names, group order, sub entries
// behind their group, entries xor placeholder), one owned payload per entry
// node and none shared (also across the trees that share `seen`), entry texts
// equal to their labels, rows, parents and siblings consistent, counts right,
// and the name lookup finding the first category of each name.
::testing::AssertionResult TreeIsSound(const CategoryTree& tree, std::set<const EntryNode*>* seen = nullptr);
// The pane's tree is sound.
::testing::AssertionResult PaneIsSound(const PaneState& pane);
// Both panes are sound and share no payload.
::testing::AssertionResult PanesAreSound(const PaneState& a, const PaneState& b);

// The tree in one line: "Pop{A,  b} Rock{}" with the entries' titles ("{}" for a placeholder).
std::string Layout(const CategoryTree& tree);

// The first category with this text, and the first entry whose title is this
// after its leading spaces.
TreeNode* CategoryNamed(const CategoryTree& tree, const std::string& name);
TreeNode* EntryTitled(const CategoryTree& tree, const std::string& title);

} // namespace tessaro

// A view that knows the tree only from the observer's calls must end up showing
// exactly the tree: this is what an item-model adapter relies on for its rows.
#include "edit/EditOperations.h"
#include "support/FakePrompts.h"
#include "support/TreeTestSupport.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace tessaro {
namespace {

class MirrorObserver : public TreeObserver
{
public:
    explicit MirrorObserver(CategoryTree& tree) : tree_(tree)
    {
        tree_.SetObserver(this);
        Rebuild();
    }
    ~MirrorObserver() override { tree_.SetObserver(nullptr); }

    void BeginInsert(const TreeNode* parent, int row) override
    {
        Open("insert", parent, row);
        if (row < 0 || row > MirrorCount(parent))
            Error("insert row " + std::to_string(row) + " out of range");
    }
    void EndInsert(const TreeNode* parent, int row) override
    {
        Close("insert", parent, row);
        if (row < 0 || row > MirrorCount(parent))
            return Error("insert row " + std::to_string(row) + " out of range");
        const TreeNode* node = parent ? parent->ChildAt(row) : tree_.CategoryAt(row);
        if (!node)
            return Error("inserted node missing at its row");
        if (parent) {
            std::vector<std::string>& children = categories_.at(Index(parent)).children;
            children.insert(children.begin() + row, node->Text());
        } else {
            Category category{node->Text(), {}, false}; // a view shows new rows closed
            for (const TreeNode* child = node->FirstChild(); child; child = child->NextSibling())
                category.children.push_back(child->Text());
            categories_.insert(categories_.begin() + row, category);
        }
    }
    void BeginRemove(const TreeNode* parent, int row) override
    {
        Open("remove", parent, row);
        const TreeNode* node = parent ? parent->ChildAt(row) : tree_.CategoryAt(row);
        if (row < 0 || row >= MirrorCount(parent) || !node)
            return Error("remove row " + std::to_string(row) + " out of range");
        if (MirrorText(parent, row) != node->Text())
            Error("removing row " + std::to_string(row) + " that shows '" + MirrorText(parent, row) +
                  "', tree has '" + node->Text() + "'");
    }
    void EndRemove(const TreeNode* parent, int row) override
    {
        Close("remove", parent, row);
        if (row < 0 || row >= MirrorCount(parent))
            return;
        if (parent) {
            std::vector<std::string>& children = categories_.at(Index(parent)).children;
            children.erase(children.begin() + row);
        } else {
            categories_.erase(categories_.begin() + row);
        }
    }
    void TextChanged(const TreeNode& node) override
    {
        if (node.IsCategory())
            categories_.at(Index(&node)).text = node.Text();
        else
            categories_.at(Index(node.Parent())).children.at(static_cast<std::size_t>(node.Row())) =
                node.Text();
    }
    void SelectionChanged(const TreeNode* selected) override { selected_ = selected; }
    void ExpansionChanged(const TreeNode& category) override
    {
        categories_.at(Index(&category)).expanded = category.IsExpanded();
    }
    void BeginReset() override { inReset_ = true; }
    void EndReset() override
    {
        inReset_ = false;
        Rebuild();
    }

    ::testing::AssertionResult ShowsTheTree() const
    {
        if (!errors_.empty())
            return ::testing::AssertionFailure() << errors_.front();
        if (open_)
            return ::testing::AssertionFailure() << "a change was begun and not ended";
        if (categories_ != Snapshot())
            return ::testing::AssertionFailure() << "mirror differs from the tree";
        if (selected_ != tree_.Selected())
            return ::testing::AssertionFailure() << "mirror selection differs";
        return ::testing::AssertionSuccess();
    }

private:
    struct Category
    {
        std::string text;
        std::vector<std::string> children;
        bool expanded = false;
        bool operator==(const Category&) const = default;
    };

    std::vector<Category> Snapshot() const
    {
        std::vector<Category> snapshot;
        for (const TreeNode* category = tree_.FirstCategory(); category; category = category->NextSibling()) {
            Category mirrored{category->Text(), {}, category->IsExpanded()};
            for (const TreeNode* child = category->FirstChild(); child; child = child->NextSibling())
                mirrored.children.push_back(child->Text());
            snapshot.push_back(mirrored);
        }
        return snapshot;
    }
    void Rebuild()
    {
        categories_ = Snapshot();
        selected_ = tree_.Selected();
    }
    std::size_t Index(const TreeNode* category) const { return static_cast<std::size_t>(category->Row()); }
    int MirrorCount(const TreeNode* parent) const
    {
        if (!parent)
            return static_cast<int>(categories_.size());
        const std::size_t index = Index(parent);
        return index < categories_.size() ? static_cast<int>(categories_[index].children.size()) : -1;
    }
    std::string MirrorText(const TreeNode* parent, int row) const
    {
        const auto r = static_cast<std::size_t>(row);
        return parent ? categories_.at(Index(parent)).children.at(r) : categories_.at(r).text;
    }
    void Open(const char* what, const TreeNode* parent, int row)
    {
        if (open_ || inReset_)
            Error(std::string(what) + " begun inside another change");
        open_ = true;
        openParent_ = parent;
        openRow_ = row;
    }
    void Close(const char* what, const TreeNode* parent, int row)
    {
        if (!open_ || parent != openParent_ || row != openRow_)
            Error(std::string(what) + " ended with another parent or row than it began");
        open_ = false;
    }
    void Error(const std::string& text) { errors_.push_back(text); }

    CategoryTree& tree_;
    std::vector<Category> categories_;
    const TreeNode* selected_ = nullptr;
    bool open_ = false;
    bool inReset_ = false;
    const TreeNode* openParent_ = nullptr;
    int openRow_ = 0;
    std::vector<std::string> errors_;
};

// Random selections and commands on two panes; after every command both trees
// are sound and both mirrors show them.
class RandomSession
{
public:
    explicit RandomSession(unsigned seed) : random_(seed) {}

    PaneState panes[2] = {PaneState(NumberedStyles()), PaneState(NumberedStyles())};

    void Step(int step)
    {
        const int active = Pick(2);
        PaneState& pane = panes[active];
        PaneState& other = panes[1 - active];
        SelectSomething(pane);
        SelectSomething(other);
        switch (Pick(11)) {
        case 0:
        case 1:
            AddEntry(pane, Name(), Pick(3), 100 + 10 * Pick(3), Title(step));
            break;
        case 2:
            CopyOrMove(pane, other, Pick(2) == 1, prompts);
            break;
        case 3:
            prompts.NameCategory(Pick(4) == 0 ? std::string() : Name());
            NewCategory(pane, prompts);
            break;
        case 4:
            ScriptEdit(step);
            EditSelected(pane, prompts, KeyboardModel::Psr9000);
            prompts.entryEdits.clear();
            prompts.categoryNames.clear();
            break;
        case 5:
            ToggleMainEntry(pane);
            break;
        case 6:
            MoveUp(pane);
            break;
        case 7:
            MoveDown(pane);
            break;
        case 8:
            prompts.Answer(Pick(2) == 0 ? MsgAnswer::Yes : MsgAnswer::No);
            DeleteSelected(pane, prompts);
            prompts.answers.clear();
            break;
        case 9:
            if (Pick(10) == 0) {
                ClearPane(pane);
            } else {
                BulkTreeChange bulk(pane.tree);
                for (int i = 0; i < 5; ++i)
                    AddEntry(pane, Name(), Pick(3), 100, Title(step));
            }
            break;
        default:
            if (TreeNode* selected = pane.tree.Selected())
                pane.tree.EnsureVisible(selected);
            break;
        }
    }

private:
    int Pick(int n) { return static_cast<int>(random_() % static_cast<unsigned>(n)); }
    std::string Name() { return std::string("Cat") + static_cast<char>('A' + Pick(4)); }
    std::string Title(int step) { return (Pick(3) == 0 ? "  t" : "t") + std::to_string(step); }

    void SelectSomething(PaneState& pane)
    {
        if (pane.tree.IsEmpty() || Pick(8) == 0) {
            pane.tree.Select(nullptr);
            return;
        }
        TreeNode* category = pane.tree.CategoryAt(Pick(pane.tree.CategoryCount()));
        if (category->HasChildren() && Pick(3) != 0)
            pane.tree.Select(category->ChildAt(Pick(category->ChildCount())));
        else
            pane.tree.Select(category);
    }

    void ScriptEdit(int step)
    {
        prompts.NameCategory(Pick(5) == 0 ? std::string() : Name());
        const int what = Pick(5);
        const std::string name = Name();
        const int value = Pick(3);
        prompts.EditEntryWith([=](MdbEntry& e) {
            switch (what) {
            case 0:
                e.SetCategory(name);
                break;
            case 1:
                e.setTempo(static_cast<uint16_t>(100 + 10 * value));
                break;
            case 2:
                e.setStyleNumber(static_cast<uint8_t>(value));
                break;
            case 3:
                e.SetTitle((value == 0 ? "  e" : "e") + std::to_string(step));
                break;
            default:
                e.SetTitle("  " + e.GetTitle());
                e.setTempo(static_cast<uint16_t>(100 + 10 * value));
                break;
            }
        });
    }

    std::mt19937 random_;
    FakePrompts prompts;
};

TEST(TreeTestObserverMirror, ReplayedNotificationsReproduceBothTrees)
{
    for (unsigned seed = 1; seed <= 6; ++seed) {
        RandomSession session(seed);
        MirrorObserver left(session.panes[0].tree);
        MirrorObserver right(session.panes[1].tree);
        for (int step = 0; step < 400; ++step) {
            session.Step(step);
            ASSERT_TRUE(PanesAreSound(session.panes[0], session.panes[1]))
                << "seed " << seed << " step " << step;
            ASSERT_TRUE(left.ShowsTheTree()) << "seed " << seed << " step " << step;
            ASSERT_TRUE(right.ShowsTheTree()) << "seed " << seed << " step " << step;
        }
    }
}

TEST(TreeTestObserverMirror, MirrorNoticesAWrongRow)
{
    // The check itself: a notification with a wrong row must not pass.
    CategoryTree tree{NumberedStyles()};
    tree.InsertSorted(MakeEntry("Pop", 1, 100, "a"));
    MirrorObserver mirror(tree);
    TreeNode* pop = tree.FirstCategory();
    mirror.BeginInsert(pop, 5);
    mirror.EndInsert(pop, 5);
    EXPECT_FALSE(mirror.ShowsTheTree());
}

} // namespace
} // namespace tessaro

#include "support/TreeTestSupport.h"

#include <map>
#include <sstream>

namespace tessaro {

const StyleCatalogue& NumberedStyles()
{
    return FixedStyleNames(); // never changed: a test that needs other names has its own
}

std::unique_ptr<EntryNode> MakeEntry(const std::string& category, int style, int tempo,
                                     const std::string& title)
{
    auto entry = std::make_unique<EntryNode>();
    entry->record.bytes()[kInUseOffset] = 1;
    entry->SetCategory(category);
    entry->SetTitle(title);
    entry->record.setStyleNumber(static_cast<uint8_t>(style));
    entry->record.setTempo(static_cast<uint16_t>(tempo));
    return entry;
}

std::unique_ptr<EntryNode> MakePlaceholder(const std::string& category)
{
    auto placeholder = std::make_unique<EntryNode>();
    placeholder->SetCategory(category);
    return placeholder;
}

TreeNode* AddEntry(PaneState& pane, const std::string& category, int style, int tempo,
                   const std::string& title)
{
    TreeLoad load(pane.tree); // content a test starts from, as a file would bring it
    return pane.tree.InsertSorted(MakeEntry(category, style, tempo, title));
}

TreeNode* AddEmptyCategory(PaneState& pane, const std::string& category)
{
    TreeLoad load(pane.tree);
    return pane.tree.InsertCategoryNode(MakePlaceholder(category), Place::Last());
}

namespace {

bool OnlyCategorySet(const MdbEntry& record)
{
    MdbEntry expected;
    expected.SetCategory(record.GetCategory());
    return record == expected;
}

class Problems
{
public:
    template <class T> Problems& operator<<(const T& part)
    {
        if (count_ < 20)
            text_ << part;
        return *this;
    }
    void End()
    {
        if (count_ < 20)
            text_ << "\n";
        ++count_;
    }
    ::testing::AssertionResult Result() const
    {
        if (count_ == 0)
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << count_ << " problem(s):\n" << text_.str();
    }

private:
    std::ostringstream text_;
    int count_ = 0;
};

void CheckEntries(const CategoryTree& tree, const TreeNode* category, std::set<const EntryNode*>& seen,
                  Problems& problems)
{
    const std::string& name = category->CategoryName();
    const TreeNode* previous = nullptr;
    int row = 0;
    for (const TreeNode* entry = category->FirstChild(); entry; entry = entry->NextSibling(), ++row) {
        const std::string where = "entry " + std::to_string(row) + " of '" + name + "': ";
        if (!entry->IsEntry() || entry->Parent() != category || entry->HasChildren())
            (problems << where << "not an entry of this category").End();
        if (entry->Row() != row || category->ChildAt(row) != entry || entry->PrevSibling() != previous)
            (problems << where << "row or siblings inconsistent (Row " << entry->Row() << ")").End();
        if (!tree.Contains(entry))
            (problems << where << "not contained").End();
        const EntryNode* payload = entry->Payload();
        if (!payload) {
            (problems << where << "no EntryNode").End();
            previous = entry;
            continue;
        }
        if (!seen.insert(payload).second)
            (problems << where << "EntryNode shared").End();
        const std::string label = payload->DisplayLabel(&tree.Styles());
        if (entry->Text() != label)
            (problems << where << "text '" << entry->Text() << "' is not the label '" << label << "'").End();
        if (payload->GetCategory() != name)
            (problems << where << "category name '" << payload->GetCategory() << "'").End();
        if (previous && previous->Payload()) {
            if (CompareGroup(*previous->Payload(), *payload) > 0)
                (problems << where << "out of group order").End();
        }
        if (payload->IsSubEntry() &&
            !(previous && previous->Payload() && CompareGroup(*previous->Payload(), *payload) == 0))
            (problems << where << "sub entry '" << payload->GetTitle() << "' not behind its group").End();
        previous = entry;
    }
    if (row != category->ChildCount() || category->LastChild() != previous)
        (problems << "category '" << name << "': child count " << category->ChildCount() << ", walked "
                  << row)
            .End();
}

} // namespace

::testing::AssertionResult TreeIsSound(const CategoryTree& tree, std::set<const EntryNode*>* seen)
{
    std::set<const EntryNode*> ownSeen;
    std::set<const EntryNode*>& payloads = seen ? *seen : ownSeen;
    Problems problems;
    std::map<std::string, const TreeNode*> firstOfName;
    std::size_t entries = 0;
    const TreeNode* previous = nullptr;
    int row = 0;
    for (const TreeNode* category = tree.FirstCategory(); category;
         category = category->NextSibling(), ++row) {
        const std::string where = "category " + std::to_string(row) + " '" + category->Text() + "': ";
        if (!category->IsCategory() || category->Parent())
            (problems << where << "not a top-level category").End();
        if (category->Row() != row || tree.CategoryAt(row) != category || category->PrevSibling() != previous)
            (problems << where << "row or siblings inconsistent").End();
        if (!tree.Contains(category))
            (problems << where << "not contained").End();
        if (category->Text() != category->CategoryName())
            (problems << where << "text differs from its name '" << category->CategoryName() << "'").End();
        const EntryNode* placeholder = category->Payload();
        if (category->HasChildren() == (placeholder != nullptr))
            (problems << where
                      << (placeholder ? "entries and a placeholder" : "neither entries nor placeholder"))
                .End();
        if (placeholder) {
            if (!payloads.insert(placeholder).second)
                (problems << where << "placeholder shared").End();
            if (placeholder->GetCategory() != category->CategoryName() ||
                !OnlyCategorySet(placeholder->record))
                (problems << where << "placeholder is not an empty record of the category").End();
        }
        firstOfName.emplace(category->CategoryName(), category);
        CheckEntries(tree, category, payloads, problems);
        entries += static_cast<std::size_t>(category->ChildCount());
        previous = category;
    }
    if (row != tree.CategoryCount() || tree.LastCategory() != previous)
        (problems << "category count " << tree.CategoryCount() << ", walked " << row).End();
    if (entries != tree.EntryNodeCount())
        (problems << "entry node count " << tree.EntryNodeCount() << ", walked " << entries).End();
    for (const auto& [name, first] : firstOfName) {
        if (tree.FindCategory(name) != first)
            (problems << "FindCategory('" << name << "') does not find the first category of the name").End();
    }
    if (tree.Selected() && !tree.Contains(tree.Selected()))
        (problems << "selection is not in the tree").End();
    return problems.Result();
}

::testing::AssertionResult PaneIsSound(const PaneState& pane)
{
    return TreeIsSound(pane.tree);
}

::testing::AssertionResult PanesAreSound(const PaneState& a, const PaneState& b)
{
    std::set<const EntryNode*> seen;
    for (const PaneState* pane : {&a, &b}) {
        ::testing::AssertionResult sound = TreeIsSound(pane->tree, &seen);
        if (!sound)
            return sound;
    }
    return ::testing::AssertionSuccess();
}

std::string Layout(const CategoryTree& tree)
{
    std::string text;
    for (const TreeNode* category = tree.FirstCategory(); category; category = category->NextSibling()) {
        if (!text.empty())
            text += ' ';
        text += category->Text() + '{';
        for (const TreeNode* entry = category->FirstChild(); entry; entry = entry->NextSibling()) {
            if (entry != category->FirstChild())
                text += ',';
            text += entry->Payload() ? entry->Payload()->GetTitle() : "?";
        }
        text += '}';
    }
    return text;
}

TreeNode* CategoryNamed(const CategoryTree& tree, const std::string& name)
{
    for (TreeNode* category = tree.FirstCategory(); category; category = category->NextSibling()) {
        if (category->Text() == name)
            return category;
    }
    return nullptr;
}

TreeNode* EntryTitled(const CategoryTree& tree, const std::string& title)
{
    for (TreeNode* category = tree.FirstCategory(); category; category = category->NextSibling()) {
        for (TreeNode* entry = category->FirstChild(); entry; entry = entry->NextSibling()) {
            const std::string own = entry->Payload()->GetTitle();
            if (own.substr(own.find_first_not_of(' ') == std::string::npos
                               ? own.size()
                               : own.find_first_not_of(' ')) == title)
                return entry;
        }
    }
    return nullptr;
}

} // namespace tessaro

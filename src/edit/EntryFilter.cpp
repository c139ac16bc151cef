#include "edit/EntryFilter.h"

#include "catalogue/StyleCatalogue.h"
#include "data/Win1252.h"
#include "edit/EntryColumns.h"
#include "edit/TreeNode.h"

namespace tessaro {

namespace {

std::string_view Trimmed(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(" \t\r\n");
    return text.substr(first, last - first + 1);
}

} // namespace

EntryFilter::EntryFilter(std::string_view text, const StyleCatalogue& styles)
    : needle_(UpperCase1252(FromUtf8(Trimmed(text)))), styles_(styles)
{
}

bool EntryFilter::Contains(std::string_view bytes1252) const
{
    return UpperCase1252(bytes1252).find(needle_) != std::string::npos;
}

bool EntryFilter::CategoryNameMatches(const TreeNode& category) const
{
    return IsEmpty() || Contains(category.CategoryName());
}

bool EntryFilter::EntryMatches(const TreeNode& entry) const
{
    if (IsEmpty())
        return true;
    const EntryNode* payload = entry.Payload();
    if (!payload)
        return false;
    const MdbEntry& record = payload->record;
    if (Contains(record.GetTitle()) || Contains(record.GetCategory()))
        return true;
    return Contains(FromUtf8(ValueText(ColumnOf(ColumnKind::StyleName), record, styles_)));
}

bool EntryFilter::ShowsCategory(const TreeNode& category) const
{
    if (CategoryNameMatches(category))
        return true;
    for (int row = 0; row < category.ChildCount(); ++row) {
        if (EntryMatches(*category.ChildAt(row)))
            return true;
    }
    return false;
}

bool EntryFilter::Shows(const TreeNode& node) const
{
    if (node.IsCategory())
        return ShowsCategory(node);
    return EntryMatches(node) || (node.Parent() && CategoryNameMatches(*node.Parent()));
}

} // namespace tessaro

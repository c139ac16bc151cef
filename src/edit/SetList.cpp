#include "edit/SetList.h"

#include "catalogue/StyleCatalogue.h"
#include "catalogue/VoiceCatalogue.h"
#include "data/ReadableName.h"
#include "data/Win1252.h"
#include "edit/CategoryTree.h"
#include "edit/TreeNode.h"

namespace tessaro {

namespace {

std::string Shown(const std::string& stored)
{
    return ToUtf8(ReadableName(stored));
}

// Sub entries keep their two leading spaces in the record; the page indents them itself.
std::string TrimmedTitle(std::string title)
{
    const std::size_t first = title.find_first_not_of(' ');
    title.erase(0, first == std::string::npos ? title.size() : first);
    const std::size_t last = title.find_last_not_of(' ');
    title.erase(last == std::string::npos ? 0 : last + 1);
    return title;
}

} // namespace

SetListRow SetListEntryRow(const EntryNode& entry, const StyleCatalogue& styles)
{
    SetListRow row;
    row.subEntry = entry.IsSubEntry();
    row.title = Shown(TrimmedTitle(entry.GetTitle()));
    row.style = Shown(styles.StyleTextOf(entry.record.styleIndex()));
    row.tempo = std::to_string(entry.record.tempo());
    row.voice = Shown(VoiceCatalogue::FindVoiceName(entry.record.voice(HandVoice::R1)));
    return row;
}

SetList MakeSetList(const CategoryTree& tree, const std::string& fileName)
{
    SetList list;
    list.fileName = fileName;
    for (const TreeNode* category = tree.FirstCategory(); category; category = category->NextSibling()) {
        if (!category->HasChildren())
            continue;
        SetListRow heading;
        heading.category = true;
        heading.title = Shown(category->Text());
        list.rows.push_back(std::move(heading));
        for (const TreeNode* entry = category->FirstChild(); entry; entry = entry->NextSibling()) {
            list.rows.push_back(SetListEntryRow(*entry->Payload(), tree.Styles()));
            ++list.entryCount;
        }
    }
    return list;
}

} // namespace tessaro

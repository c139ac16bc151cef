// The tools and the result lists they show.
#include "app/Tools.h"

#include "data/InputFile.h"
#include "data/SafeFile.h"
#include "data/Win1252.h"
#include "edit/Duplicates.h"
#include "edit/EntryCsv.h"
#include "edit/KeyboardCheck.h"
#include "edit/TreeDiff.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <utility>

namespace tessaro {

namespace {

// Far more rows than any collection holds (a row is some 700 bytes); a larger
// file is refused rather than read into memory.
constexpr uint64_t kMaxCsvBytes = uint64_t(1) << 30;

std::optional<std::string> ReadWholeFile(const std::string& path)
{
    FileInput input;
    if (!input.Open(path) || input.Length() > kMaxCsvBytes)
        return std::nullopt;
    std::string text(input.Length(), '\0');
    if (input.Read(reinterpret_cast<uint8_t*>(text.data()), text.size()) != text.size())
        return std::nullopt;
    return text;
}

// "Pop – Intro", as a person reads it; a sub entry's indent is no part of its title.
std::string EntryText(const std::string& category, std::string title)
{
    title.erase(0, title.find_first_not_of(' '));
    return ToUtf8(category) + " \u2013 " + ToUtf8(title);
}

std::string EntryText(const TreeNode* node)
{
    const EntryNode& entry = *node->Payload();
    return EntryText(entry.GetCategory(), entry.GetTitle());
}

std::string FileNameOf(const PaneState& pane)
{
    if (pane.fileName.empty() || pane.untitled)
        return Tr(Caption::Untitled);
    return std::filesystem::path(pane.fileName).filename().string();
}

// The entry nodes of a tree by category and title, each list in tree order:
// how the comparison tells "the second Intro of Pop" apart.
class EntryIndex
{
public:
    explicit EntryIndex(const CategoryTree& tree)
    {
        for (const TreeNode* category = tree.FirstCategory(); category; category = category->NextSibling()) {
            for (const TreeNode* entry = category->FirstChild(); entry; entry = entry->NextSibling()) {
                const MdbEntry& record = entry->Payload()->record;
                nodes_[{record.GetCategory(), record.GetTitle()}].push_back(entry);
            }
        }
    }

    const TreeNode* Find(const EntryDifference& difference) const
    {
        const auto found = nodes_.find({difference.category, difference.title});
        if (found == nodes_.end() || difference.occurrence < 1 ||
            static_cast<std::size_t>(difference.occurrence) > found->second.size())
            return nullptr;
        return found->second[difference.occurrence - 1];
    }

private:
    std::map<std::pair<std::string, std::string>, std::vector<const TreeNode*>> nodes_;
};

const char* ModelName(KeyboardModel model)
{
    return model == KeyboardModel::Psr9000Pro ? "PSR-9000pro" : "PSR-9000";
}

} // namespace

void Tools::Present(std::optional<ResultList> list, std::vector<ResultTarget> targets)
{
    if (!list) {
        results_.Close();
        return;
    }
    results_.Show(std::move(*list), std::move(targets));
    if (results_.View())
        return;
    // Modal: the panes stay as they are until the list is closed.
    context_.prompts.RunResultList(results_.List(), results_);
    results_.Close();
}

void Tools::ExportCsv()
{
    PaneState* pane = context_.ActivePane();
    if (!pane || !pane->loaded)
        return;
    FileDialogRequest request;
    request.title = Tr(Caption::ExportCsvTitle);
    request.filter = Tr(Caption::CsvFilter);
    request.defaultExtension = ".csv";
    if (!pane->fileName.empty())
        request.initialName = std::filesystem::path(pane->fileName).replace_extension(".csv").string();
    request.overwritePrompt = true;
    const std::optional<std::string> path = context_.prompts.SaveFileDialog(request);
    if (!path || path->empty())
        return;
    bool written = false;
    {
        WaitCursor wait(context_.prompts);
        written = WriteEntryCsvFile(pane->tree, *path);
    }
    if (!written)
        context_.prompts.MessageBox(WithSaveReason(Msg::ErrorWritingCsv, *path), MsgIcon::Warning,
                                    MsgButtons::Ok);
}

void Tools::ImportCsv()
{
    PaneState* pane = context_.ActivePane();
    if (!pane || !pane->loaded)
        return;
    FileDialogRequest request;
    request.title = Tr(Caption::ImportCsvTitle);
    request.filter = Tr(Caption::CsvFilter);
    request.defaultExtension = ".csv";
    const std::optional<std::string> path = context_.prompts.OpenFileDialog(request);
    if (!path || path->empty())
        return;

    CsvImportResult read;
    {
        WaitCursor wait(context_.prompts);
        const std::optional<std::string> text = ReadWholeFile(*path);
        if (!text) {
            context_.prompts.Warn(Msg::ErrorReadingCsv);
            return;
        }
        read = ReadEntryCsv(*text);
    }
    if (!read.errors.empty()) {
        // One fault spoils the file: the user mends it and imports it whole.
        ResultList list;
        list.title = Tr(Caption::ImportCsvTitle);
        list.summary = FillArgs(Tr(Msg::CsvNotImported), {std::to_string(read.errors.size())});
        list.lines.reserve(read.errors.size());
        for (const CsvImportError& error : read.errors)
            list.lines.push_back(DescribeImportError(error));
        Present(std::move(list));
        return;
    }
    if (read.records.empty())
        return;

    const std::string name =
        Tr(Caption::ImportCsvTitle) + " \"" + std::filesystem::path(*path).filename().string() + "\"";
    bool refused = false;
    context_.workspace.history.Begin(name, *context_.active);
    {
        WaitCursor wait(context_.prompts);
        TreeNode* first = nullptr;
        {
            BulkTreeChange bulk(pane->tree);
            for (const MdbEntry& record : read.records) {
                auto entry = std::make_unique<EntryNode>();
                entry->record = record;
                TreeNode* node = pane->tree.InsertSorted(std::move(entry));
                refused = refused || !node;
                if (!first)
                    first = node;
            }
        }
        // The first row shows where the rows went.
        if (first) {
            pane->tree.Select(first);
            pane->tree.EnsureVisible(first);
        }
    }
    context_.workspace.history.Commit();
    if (refused)
        context_.prompts.Warn(Msg::ErrorLoadingDisplayBuffer);
}

void Tools::ComparePanes()
{
    if (!context_.Pane(PaneId::Mdb).loaded || !context_.Pane(PaneId::Archive).loaded) {
        context_.prompts.Warn(Msg::ComparePanesNeedsBoth);
        return;
    }
    std::vector<EntryDifference> differences;
    {
        WaitCursor wait(context_.prompts);
        differences = CompareTrees(context_.Pane(PaneId::Mdb).tree, context_.Pane(PaneId::Archive).tree);
    }
    if (differences.empty()) {
        Present(std::nullopt); // the last list would stand for this run
        context_.prompts.MessageBox(Tr(Msg::PanesAreEqual), MsgIcon::Information, MsgButtons::Ok);
        return;
    }

    const EntryIndex inMdb(context_.Pane(PaneId::Mdb).tree);
    const EntryIndex inArchive(context_.Pane(PaneId::Archive).tree);
    ResultList list;
    list.title = Tr(Caption::ComparePanesTitle);
    list.summary = FillArgs(Tr(Caption::CompareSummary),
                            {std::to_string(differences.size()), FileNameOf(context_.Pane(PaneId::Mdb)),
                             FileNameOf(context_.Pane(PaneId::Archive))});
    std::vector<ResultTarget> targets;
    for (const EntryDifference& difference : differences) {
        std::string entry = EntryText(difference.category, difference.title);
        if (difference.occurrence > 1)
            entry += " [" + std::to_string(difference.occurrence) + "]";
        // Removed entries are only in the MDB, added ones only in the archive;
        // the others stand in both and are shown in both.
        ResultTarget target;
        if (difference.kind == EntryDifference::Kind::Added) {
            target.pane = PaneId::Archive;
            if (const TreeNode* node = inArchive.Find(difference))
                target.nodes.push_back(node);
        } else {
            target.pane = PaneId::Mdb;
            if (const TreeNode* node = inMdb.Find(difference))
                target.nodes.push_back(node);
            if (difference.kind != EntryDifference::Kind::Removed)
                target.counterpart = inArchive.Find(difference);
        }
        switch (difference.kind) {
        case EntryDifference::Kind::Removed:
            list.lines.push_back(Tr(Caption::DiffRemoved) + ": " + entry);
            targets.push_back(target);
            break;
        case EntryDifference::Kind::Added:
            list.lines.push_back(Tr(Caption::DiffAdded) + ": " + entry);
            targets.push_back(target);
            break;
        case EntryDifference::Kind::Moved:
            list.lines.push_back(Tr(Caption::DiffMoved) + ": " + entry);
            targets.push_back(target);
            break;
        case EntryDifference::Kind::Changed:
            for (const FieldChange& change : difference.changes) {
                list.lines.push_back(Tr(Caption::DiffChanged) + ": " + entry + ": " + change.field + " " +
                                     FillArgs(Tr(ModernText::CompareValues), {change.before, change.after}));
                targets.push_back(target);
            }
            break;
        }
    }
    const auto inMdbPane = std::count_if(targets.begin(), targets.end(), [](const ResultTarget& target) {
        return target.pane == PaneId::Mdb;
    });
    list.mostlyLeftPane = 2 * static_cast<std::size_t>(inMdbPane) >= targets.size();
    Present(std::move(list), std::move(targets));
}

void Tools::CheckForKeyboard()
{
    PaneState* pane = context_.ActivePane();
    if (!pane || !pane->loaded)
        return;
    int chosen = static_cast<int>(options_.Model());
    if (!context_.prompts.ChooseKeyboardModel(chosen) || (chosen != 1 && chosen != 2))
        return;
    const auto model = static_cast<KeyboardModel>(chosen);
    std::vector<EntryFindings> found;
    {
        WaitCursor wait(context_.prompts);
        found = tessaro::CheckForKeyboard(pane->tree, model);
    }
    if (found.empty()) {
        Present(std::nullopt); // the last list would stand for this run
        context_.prompts.MessageBox(FillArgs(Tr(Msg::NoKeyboardFindings), {ModelName(model)}),
                                    MsgIcon::Information, MsgButtons::Ok);
        return;
    }
    ResultList list;
    list.title = Tr(Caption::CheckKeyboardTitle);
    list.mostlyLeftPane = *context_.active == PaneId::Mdb;
    std::vector<ResultTarget> targets;
    for (const EntryFindings& entry : found) {
        for (const KeyboardFinding& finding : entry.findings) {
            list.lines.push_back(EntryText(entry.entry) + ": " + finding.field + ": " + finding.ReasonText());
            targets.push_back({*context_.active, {entry.entry}, nullptr});
        }
    }
    list.summary = FillArgs(Tr(Caption::CheckSummary), {std::to_string(list.lines.size()), ModelName(model)});
    Present(std::move(list), std::move(targets));
}

void Tools::FindDuplicates()
{
    PaneState* pane = context_.ActivePane();
    if (!pane || !pane->loaded)
        return;
    DuplicateGroups groups;
    {
        WaitCursor wait(context_.prompts);
        groups = tessaro::FindDuplicates(pane->tree);
    }
    const std::size_t groupCount = groups.sameRegistration.size() + groups.sameTitle.size();
    if (groupCount == 0) {
        Present(std::nullopt); // the last list would stand for this run
        context_.prompts.MessageBox(Tr(Msg::NoDuplicates), MsgIcon::Information, MsgButtons::Ok);
        return;
    }
    ResultList list;
    list.title = Tr(Caption::DuplicatesTitle);
    list.mostlyLeftPane = *context_.active == PaneId::Mdb;
    list.summary = FillArgs(Tr(Caption::DuplicatesSummary), {std::to_string(groupCount)});
    std::vector<ResultTarget> targets;
    const PaneId id = *context_.active;
    const auto addGroups = [&](Caption heading, const std::vector<std::vector<const TreeNode*>>& kind) {
        for (const std::vector<const TreeNode*>& group : kind) {
            // The group's line stands for all of its entries, each entry's line for itself.
            list.lines.push_back(FillArgs(Tr(heading), {std::to_string(group.size())}));
            targets.push_back({id, group, nullptr});
            for (const TreeNode* node : group) {
                list.lines.push_back("    " + EntryText(node));
                targets.push_back({id, {node}, nullptr});
            }
        }
    };
    addGroups(Caption::SameRegistration, groups.sameRegistration);
    addGroups(Caption::SameTitle, groups.sameTitle);
    Present(std::move(list), std::move(targets));
}

void Tools::FillStates(CommandStates& states) const
{
    for (CommandId id :
         {CommandId::ExportCsv, CommandId::ImportCsv, CommandId::CheckForKeyboard, CommandId::FindDuplicates})
        states[id].enabled = context_.ActiveLoaded();
    states[CommandId::ComparePanes].enabled =
        context_.Pane(PaneId::Mdb).loaded && context_.Pane(PaneId::Archive).loaded;
}

} // namespace tessaro

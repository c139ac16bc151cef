#include "edit/qt/EntryTableModel.h"

#include "common/Texts.h"
#include "data/ReadableName.h"
#include "data/Win1252.h"
#include "edit/CategoryRowText.h"
#include "edit/CategoryTree.h"
#include "edit/EntryColumns.h"

#include <QFont>

namespace tessaro {

namespace {

constexpr ModernText kHeaders[] = {ModernText::ColumnTitle,   ModernText::ColumnStyle,
                                   ModernText::ColumnTempo,   ModernText::ColumnVariation,
                                   ModernText::ColumnR1Voice, ModernText::ColumnLeftVoice};
static_assert(std::size(kHeaders) == kEntryTableColumns);

std::size_t SourceColumn(EntryTableColumn column)
{
    switch (column) {
    case EntryTableColumn::Style:
        return ColumnOf(ColumnKind::StyleName);
    case EntryTableColumn::Tempo:
        return ColumnOf(ColumnKind::Tempo);
    case EntryTableColumn::Variation:
        return ColumnOf(ColumnKind::Variation);
    case EntryTableColumn::R1Voice:
        return ColumnOf(ColumnKind::HandVoiceName, static_cast<int>(HandVoice::R1));
    case EntryTableColumn::LeftVoice:
        return ColumnOf(ColumnKind::HandVoiceName, static_cast<int>(HandVoice::Left));
    case EntryTableColumn::Title:
    case EntryTableColumn::Count_:
        break;
    }
    return ColumnOf(ColumnKind::Title);
}

} // namespace

EntryTableModel::EntryTableModel(CategoryTree& tree, const StyleCatalogue& styles, QObject* parent)
    : CategoryTreeModel(tree, parent), styles_(styles)
{
    // The tree tells of a changed text by its first cell; the whole row follows.
    connect(this, &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex& first, const QModelIndex& last) {
                if (last.column() == 0 && first.isValid())
                    emit dataChanged(first, last.siblingAtColumn(kEntryTableColumns - 1));
            });
    // A category's count follows its entries.
    const auto countChanged = [this](const QModelIndex& category) {
        if (category.isValid())
            emit dataChanged(category, category, {Qt::DisplayRole});
    };
    connect(this, &QAbstractItemModel::rowsInserted, this, countChanged);
    connect(this, &QAbstractItemModel::rowsRemoved, this, countChanged);
}

QModelIndex EntryTableModel::index(int row, int column, const QModelIndex& parent) const
{
    if (column < 0 || column >= kEntryTableColumns)
        return {};
    const QModelIndex first = CategoryTreeModel::index(row, 0, parent.siblingAtColumn(0));
    if (!first.isValid() || column == 0)
        return first;
    return createIndex(row, column, first.internalPointer());
}

int EntryTableModel::columnCount(const QModelIndex& /*parent*/) const
{
    return kEntryTableColumns;
}

std::string EntryTableModel::CellText(const TreeNode& node, EntryTableColumn column,
                                      const StyleCatalogue& styles, int shown)
{
    if (node.IsCategory()) {
        if (column != EntryTableColumn::Title)
            return {};
        return CategoryRowText(ToUtf8(ReadableName(node.Text())), node.ChildCount(), shown);
    }
    const EntryNode* payload = node.Payload();
    if (!payload)
        return {};
    if (column == EntryTableColumn::Title)
        return ToUtf8(ReadableName(payload->GetTitle()));
    return ValueText(SourceColumn(column), payload->record, styles);
}

QVariant EntryTableModel::data(const QModelIndex& index, int role) const
{
    const TreeNode* node = NodeAt(index);
    if (!node)
        return {};
    const auto column = static_cast<EntryTableColumn>(index.column());
    switch (role) {
    case Qt::DisplayRole: {
        const auto shown = node->IsCategory() ? shown_.find(node) : shown_.end();
        return QString::fromStdString(CellText(*node, column, styles_, shown == shown_.end() ? -1 : shown->second));
    }
    case Qt::FontRole:
        if (node->IsCategory()) {
            QFont bold;
            bold.setBold(true);
            return bold;
        }
        return {};
    case Qt::TextAlignmentRole:
        if (column == EntryTableColumn::Tempo)
            return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
        return {};
    default:
        return {};
    }
}

void EntryTableModel::SetShownCounts(std::unordered_map<const TreeNode*, int> shown)
{
    if (shown == shown_)
        return;
    shown_ = std::move(shown);
    const int categories = rowCount();
    if (categories > 0)
        emit dataChanged(index(0, 0), index(categories - 1, 0), {Qt::DisplayRole});
}

QVariant EntryTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= kEntryTableColumns)
        return {};
    if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole)
        return QString::fromStdString(Tr(kHeaders[section]));
    return {};
}

} // namespace tessaro

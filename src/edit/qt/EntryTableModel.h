#pragma once
// A pane's tree with real columns, for the modern window: Title, Style,
// Tempo, Variation, R1 voice and Left voice. Category rows read
// "Name (count)" in bold, "Name (3 of 12)" while a filter hides some entries. Everything else (rows, selection, drag and drop)
// is the CategoryTreeModel's; the classic window keeps its one column.

#include "edit/qt/CategoryTreeModel.h"

#include <unordered_map>

namespace tessaro {

class StyleCatalogue;

enum class EntryTableColumn
{
    Title,
    Style,
    Tempo,
    Variation,
    R1Voice,
    LeftVoice,
    Count_
};
inline constexpr int kEntryTableColumns = static_cast<int>(EntryTableColumn::Count_);

class EntryTableModel : public CategoryTreeModel
{
    Q_OBJECT
public:
    // The catalogue names the styles and voices; it must outlive the model.
    EntryTableModel(CategoryTree& tree, const StyleCatalogue& styles, QObject* parent = nullptr);

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // The text a cell shows (UTF-8), as data() gives it; `shown` is how many
    // of a category's entries a filter lets through (-1: no filter).
    static std::string CellText(const TreeNode& node, EntryTableColumn column, const StyleCatalogue& styles,
                                int shown = -1);

    // How many entries of each category the pane's filter shows; an empty map
    // while no filter is set. The category rows' counts follow.
    void SetShownCounts(std::unordered_map<const TreeNode*, int> shown);

private:
    const StyleCatalogue& styles_;
    std::unordered_map<const TreeNode*, int> shown_;
};

} // namespace tessaro

#include "catalogue/qt/CCatalogueCombo.h"

#include "data/ReadableName.h"
#include "data/Win1252.h"

#include <QAbstractItemDelegate>
#include <QAbstractListModel>
#include <QApplication>
#include <QEvent>
#include <QListView>
#include <QPainter>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyleOptionComboBox>
#include <QStylePainter>

#include <algorithm>
#include <vector>

namespace tessaro {

namespace {

// The text a person reads for a stored catalogue text.
QString Shown(const std::string& stored)
{
    return QString::fromStdString(ToUtf8(ReadableName(stored)));
}

// Open, the list drops down below the field and shows at most maxVisibleItems
// rows. Styles that open a list as a menu over the field (Fusion among them)
// ignore that limit and fill the screen with a catalogue of 880 voices.
class DropDownListStyle : public QProxyStyle
{
public:
    DropDownListStyle() : QProxyStyle(QStyleFactory::create(QApplication::style()->name())) {}

    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override
    {
        if (hint == SH_ComboBox_Popup)
            return 0;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

} // namespace

// The rows: item data and a hidden flag, nothing else. Texts are asked for
// when a row is measured or drawn.
class CatalogueListModel : public QAbstractListModel
{
public:
    using QAbstractListModel::QAbstractListModel;

    ItemTextFn textFn = nullptr;
    const void* user = nullptr;

    int rowCount(const QModelIndex& parent = {}) const override
    {
        return parent.isValid() ? 0 : static_cast<int>(rows_.size());
    }

    QVariant data(const QModelIndex& index, int role) const override
    {
        if (!index.isValid() || index.row() >= rowCount())
            return {};
        if (role == Qt::DisplayRole) {
            // The closed list, the keyboard search and accessibility read this role.
            std::string text;
            return TextOf(index.row(), text) ? Shown(text) : QString();
        }
        if (role == Qt::UserRole)
            return QVariant::fromValue<uint>(rows_[index.row()].data);
        return {};
    }

    Qt::ItemFlags flags(const QModelIndex& index) const override
    {
        if (!index.isValid() || index.row() >= rowCount() || rows_[index.row()].hidden)
            return Qt::NoItemFlags;
        return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
    }

    bool TextOf(int row, std::string& text) const
    {
        text.clear();
        if (!textFn || row < 0 || row >= rowCount())
            return false;
        return textFn(row, text, user, rows_[row].data);
    }

    void Clear()
    {
        beginResetModel();
        rows_.clear();
        endResetModel();
    }
    void Reserve(int count) { rows_.reserve(count > 0 ? static_cast<std::size_t>(count) : 0); }
    int Append()
    {
        const int row = rowCount();
        beginInsertRows({}, row, row);
        rows_.push_back({});
        endInsertRows();
        return row;
    }
    bool Has(int row) const { return row >= 0 && row < rowCount(); }
    uint32_t DataAt(int row) const { return Has(row) ? rows_[row].data : 0; }
    bool HiddenAt(int row) const { return Has(row) && rows_[row].hidden; }
    void SetDataAt(int row, uint32_t data)
    {
        if (!Has(row))
            return;
        rows_[row].data = data;
        emit dataChanged(index(row), index(row));
    }
    void HideAt(int row)
    {
        if (!Has(row))
            return;
        rows_[row].hidden = true;
        emit dataChanged(index(row), index(row));
    }

private:
    struct Row
    {
        uint32_t data = 0;
        bool hidden = false;
    };
    std::vector<Row> rows_;
};

namespace {

constexpr int kTextFlags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine;

// Draws the rows of the open list.
class CatalogueRowDelegate : public QAbstractItemDelegate
{
public:
    CatalogueRowDelegate(const CCatalogueCombo& combo, const CatalogueListModel& model, QObject* parent)
        : QAbstractItemDelegate(parent), combo_(combo), model_(model)
    {
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        painter->save();
        const bool selected = option.state & QStyle::State_Selected;
        const QPalette::ColorGroup group =
            option.state & QStyle::State_Enabled ? QPalette::Normal : QPalette::Disabled;
        painter->fillRect(option.rect,
                          option.palette.brush(group, selected ? QPalette::Highlight : QPalette::Base));
        std::string text;
        if (model_.TextOf(index.row(), text)) {
            painter->setPen(
                option.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text));
            painter->setFont(option.font);
            painter->drawText(option.rect.adjusted(2, 0, 0, 0), kTextFlags, Shown(text));
        }
        painter->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        std::string text;
        model_.TextOf(index.row(), text); // measured like drawn; an empty row is as high
        const int width = option.fontMetrics.horizontalAdvance(Shown(text));
        return {width + 4, combo_.RowHeight()};
    }

private:
    const CCatalogueCombo& combo_;
    const CatalogueListModel& model_;
};

} // namespace

CCatalogueCombo::CCatalogueCombo(QWidget* parent) : QComboBox(parent), model_(new CatalogueListModel(this))
{
    setModel(model_);
    auto* list = new QListView(this);
    list->setUniformItemSizes(true);
    setView(list);
    setItemDelegate(new CatalogueRowDelegate(*this, *model_, this));
    setSizeAdjustPolicy(AdjustToMinimumContentsLengthWithIcon);
    auto* style = new DropDownListStyle;
    style->setParent(this);
    setStyle(style);
    setMaxVisibleItems(kVisibleRows);
}

void CCatalogueCombo::RemoveAllRows()
{
    model_->Clear();
    setCurrentIndex(-1);
}

void CCatalogueCombo::SetTextCallback(ItemTextFn fn, const void* user, int selectionFieldOffset,
                                      int rowOffset)
{
    model_->textFn = fn;
    model_->user = user;
    selectionFieldOffset_ = selectionFieldOffset;
    rowOffset_ = rowOffset;
    updateGeometry();
    update();
}

void CCatalogueCombo::ReserveRows(int count)
{
    model_->Reserve(count);
}

int CCatalogueCombo::AddEmptyRow()
{
    const int before = currentIndex();
    const int row = model_->Append();
    // The combo box selects the first row of an empty list by itself; here a
    // row is selected only when asked for.
    if (before < 0 && currentIndex() >= 0)
        setCurrentIndex(-1);
    return row;
}

void CCatalogueCombo::SetItemData(int row, uint32_t data)
{
    model_->SetDataAt(row, data);
}

void CCatalogueCombo::SelectRow(int row)
{
    if (!model_->Has(row)) {
        setCurrentIndex(-1);
        return;
    }
    if (!model_->HiddenAt(row))
        setCurrentIndex(row);
}

void CCatalogueCombo::HideRow(int row)
{
    if (!model_->Has(row))
        return;
    model_->HideAt(row);
    if (auto* list = qobject_cast<QListView*>(view()))
        list->setRowHidden(row, true);
    if (currentIndex() == row)
        setCurrentIndex(-1);
}

int CCatalogueCombo::RowCount() const
{
    return model_->rowCount();
}

uint32_t CCatalogueCombo::ItemData(int row) const
{
    return model_->DataAt(row);
}

bool CCatalogueCombo::IsRowHidden(int row) const
{
    return model_->HiddenAt(row);
}

std::string CCatalogueCombo::RowText(int row) const
{
    std::string text;
    return model_->TextOf(row, text) ? text : std::string();
}

int CCatalogueCombo::TextHeight() const
{
    return fontMetrics().boundingRect(QRect(), Qt::TextSingleLine, QStringLiteral("X")).height();
}

// An offset may add room but never take it: a row lower than its text cuts
// off the letters' lower edge.
int CCatalogueCombo::RowHeight() const
{
    return TextHeight() + std::max(0, rowOffset_);
}

int CCatalogueCombo::SelectionFieldHeight() const
{
    return TextHeight() + std::max(0, selectionFieldOffset_);
}

QSize CCatalogueCombo::sizeHint() const
{
    // Measured without asking every row for its text; the dialogs set the width.
    QStyleOptionComboBox option;
    initStyleOption(&option);
    const QSize field(fontMetrics().horizontalAdvance(QLatin1Char('X')) * 16, SelectionFieldHeight());
    return style()->sizeFromContents(QStyle::CT_ComboBox, &option, field, this);
}

QSize CCatalogueCombo::minimumSizeHint() const
{
    return sizeHint();
}

void CCatalogueCombo::showPopup()
{
    // The list sizes itself by its first maxVisibleItems rows, hidden ones
    // counted as rows of no height: count as many as it takes to show
    // kVisibleRows rows.
    int rows = 0;
    for (int shown = 0; rows < RowCount() && shown < kVisibleRows; ++rows) {
        if (!IsRowHidden(rows))
            ++shown;
    }
    setMaxVisibleItems(std::max(rows, kVisibleRows));
    QComboBox::showPopup();
    setMaxVisibleItems(kVisibleRows);
}

void CCatalogueCombo::paintEvent(QPaintEvent* /*event*/)
{
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    option.currentText.clear();
    option.currentIcon = QIcon();
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    painter.drawControl(QStyle::CE_ComboBoxLabel, option);

    std::string text;
    if (!model_->TextOf(currentIndex(), text))
        return;
    // The selection field's text sits one pixel in and one pixel down.
    const QRect field =
        style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    style()->drawItemText(&painter, field.adjusted(1, 1, 0, 0), kTextFlags, palette(), isEnabled(),
                          Shown(text), QPalette::ButtonText);
}

void CCatalogueCombo::changeEvent(QEvent* event)
{
    QComboBox::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        updateGeometry();
        view()->doItemsLayout();
    }
}

} // namespace tessaro

#pragma once
// A drop-down list whose rows hold only a number (their item data); a row's
// text comes from the ItemTextFn at the moment the row is drawn, and shows as
// ReadableName makes it ("&&" as one "&", a lone "&" kept). Open, it shows
// about twenty rows below the field. Hidden rows keep their index but are
// neither shown nor choosable.

#include "catalogue/CatalogueList.h"

#include <QComboBox>

#include <cstdint>
#include <string>

namespace tessaro {

class CatalogueListModel;

class CCatalogueCombo : public QComboBox, public CatalogueList
{
    Q_OBJECT
public:
    static constexpr int kVisibleRows = 20; // rows of the open list

    explicit CCatalogueCombo(QWidget* parent = nullptr);

    // CatalogueList
    void RemoveAllRows() override;
    void SetTextCallback(ItemTextFn fn, const void* user, int selectionFieldOffset, int rowOffset) override;
    void ReserveRows(int count) override;
    int AddEmptyRow() override;
    void SetItemData(int row, uint32_t data) override;
    // A row outside the list clears the selection; a hidden row is not taken.
    void SelectRow(int row) override;
    void HideRow(int row) override;

    int RowCount() const;
    int SelectedRow() const { return currentIndex(); } // -1 for none
    uint32_t ItemData(int row) const;
    bool IsRowHidden(int row) const;
    // The callback's text as stored ("&&" still doubled); empty when it gives none.
    std::string RowText(int row) const;
    // Text height plus the offsets of SetTextCallback; a negative offset counts as 0.
    int RowHeight() const;
    int SelectionFieldHeight() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    void showPopup() override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    int TextHeight() const;

    CatalogueListModel* model_;
    int selectionFieldOffset_ = 0;
    int rowOffset_ = 0;
};

} // namespace tessaro

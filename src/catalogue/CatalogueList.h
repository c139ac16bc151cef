#pragma once
// What the catalogue fills need of a drop-down list whose rows carry only a
// number and get their text from a callback when they are measured or drawn.
// The window implements it with a real list; tests with a fake.

#include <cstdint>
#include <string>

namespace tessaro {

// Fills text for one row: (row index, text to fill, user pointer, row item data).
// Returns false when the row has no text; the list then draws it empty. The text
// is the stored one ("Swing && Jazz"); the list shows it as ReadableName makes it.
using ItemTextFn = bool (*)(int row, std::string& text, const void* user, uint32_t itemData);

class CatalogueList
{
public:
    virtual ~CatalogueList() = default;

    virtual void RemoveAllRows() = 0;
    // Keeps fn and user; the selection field is as high as the text plus
    // selectionFieldOffset pixels, every row as high as the text plus rowOffset
    // (a negative offset adds nothing).
    virtual void SetTextCallback(ItemTextFn fn, const void* user, int selectionFieldOffset,
                                 int rowOffset) = 0;
    virtual void ReserveRows(int count) = 0;
    // Appends a row without text; its index, or a negative number when refused.
    virtual int AddEmptyRow() = 0;
    virtual void SetItemData(int row, uint32_t data) = 0;
    virtual void SelectRow(int row) = 0;
    // A hidden row keeps its index but can be neither seen nor chosen.
    virtual void HideRow(int row) = 0;
};

} // namespace tessaro

#include "catalogue/VoiceCatalogue.h"
#include "common/Prompts.h"
#include "support/FakePrompts.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tessaro {
namespace {

// A list that refuses appends whose count is in refused (0-based attempt numbers).
class FakeList : public CatalogueList
{
public:
    struct Row
    {
        uint32_t data = 0;
        bool hidden = false;
    };

    void RemoveAllRows() override { rows.clear(), selected = -1; }
    void SetTextCallback(ItemTextFn fn, const void* u, int fieldOffset, int rowOffsetValue) override
    {
        callback = fn, user = u, selectionFieldOffset = fieldOffset, rowOffset = rowOffsetValue;
    }
    void ReserveRows(int count) override { reserved = count; }
    int AddEmptyRow() override
    {
        const int attempt = attempts++;
        if (attempt >= refuseFrom || attempt == refuseOnce) {
            return -1;
        }
        rows.push_back({});
        return int(rows.size()) - 1;
    }
    void SetItemData(int row, uint32_t data) override { rows.at(row).data = data; }
    void SelectRow(int row) override { selected = row; }
    void HideRow(int row) override { rows.at(row).hidden = true; }

    std::string TextOf(int row)
    {
        std::string text;
        return callback(row, text, user, rows.at(row).data) ? text : "(none)";
    }

    std::vector<Row> rows;
    int selected = -1;
    ItemTextFn callback = nullptr;
    const void* user = nullptr;
    int selectionFieldOffset = 0, rowOffset = 0, reserved = 0;
    int attempts = 0;
    int refuseFrom = 1 << 30;
    int refuseOnce = -1;
};

class FillVoiceListTest : public ::testing::Test
{
protected:
    void Fill(uint32_t wanted) { VoiceCatalogue::FillVoiceList(list, wanted, context, prompts); }

    FakeList list;
    FakePrompts prompts;
    VoiceListContext context{1};
};

TEST_F(FillVoiceListTest, KnownVoiceSelectsItsRow)
{
    Fill(VoiceRef{0, 113, 0}.Packed());
    ASSERT_EQ(list.rows.size(), 880u);
    EXPECT_EQ(list.selected, 0);
    EXPECT_EQ(list.reserved, 881);
    EXPECT_EQ(list.callback, &VoiceCatalogue::VoiceRowText);
    EXPECT_EQ(list.user, &context);
    EXPECT_EQ(list.selectionFieldOffset, -1);
    EXPECT_EQ(list.rowOffset, -3);
    EXPECT_TRUE(prompts.messages.empty());
    for (int row = 0; row < kVoiceCount; ++row) {
        EXPECT_EQ(list.rows[row].data, VoiceCatalogue::GetVoicePacked(row)) << row;
        EXPECT_EQ(list.rows[row].hidden, VoiceCatalogue::IsVoiceHidden(row)) << row;
    }
    EXPECT_EQ(list.TextOf(0), "<0,113,0>"); // pro voice, PSR-9000 model
    context.keyboardModel = 2;              // the list reads the model when it draws
    EXPECT_EQ(list.TextOf(0), "Piano - Live!Grand");
}

TEST_F(FillVoiceListTest, VoiceZeroIsTheXgPianoNotAnUnknownRow)
{
    Fill(VoiceRef{0, 0, 0}.Packed());
    EXPECT_EQ(list.rows.size(), 880u);
    EXPECT_EQ(list.selected, 400);
    Fill(VoiceRef{64, 0, 115}.Packed());
    EXPECT_EQ(list.rows.size(), 880u);
    EXPECT_EQ(list.selected, 879);
}

TEST_F(FillVoiceListTest, UnknownVoiceBecomesRow880)
{
    list.rows.resize(5); // a previous fill is removed first
    Fill(VoiceRef{1, 2, 3}.Packed());
    ASSERT_EQ(list.rows.size(), 881u);
    EXPECT_EQ(list.selected, 880);
    EXPECT_EQ(list.rows[880].data, 0x010203u);
    EXPECT_FALSE(list.rows[880].hidden);
    EXPECT_EQ(list.TextOf(880), "<1,2,3>");
}

TEST_F(FillVoiceListTest, RefusingListWarnsOnceAndKeepsItsRows)
{
    list.refuseFrom = 100;
    Fill(VoiceRef{0, 112, 0}.Packed()); // row 1
    EXPECT_EQ(list.rows.size(), 100u);
    EXPECT_EQ(list.selected, 1);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].text, Tr(Msg::ErrorCreatingVoiceTable));
    EXPECT_EQ(prompts.messages[0].icon, MsgIcon::Warning);
    EXPECT_EQ(prompts.messages[0].buttons, MsgButtons::Ok);

    FakeList unknown;
    unknown.refuseFrom = 100;
    VoiceCatalogue::FillVoiceList(unknown, VoiceRef{64, 0, 115}.Packed(), context, prompts);
    EXPECT_EQ(unknown.rows.size(), 100u);
    EXPECT_EQ(unknown.selected, -1);
    EXPECT_EQ(prompts.messages.size(), 2u);

    FakeList none;
    none.refuseFrom = 0;
    VoiceCatalogue::FillVoiceList(none, VoiceRef{0, 113, 0}.Packed(), context, prompts);
    EXPECT_TRUE(none.rows.empty());
    EXPECT_EQ(none.selected, -1);
    EXPECT_EQ(prompts.messages.size(), 3u);
}

TEST_F(FillVoiceListTest, VoiceAppendedAfterARefusalShowsItsOwnNumbers)
{
    list.refuseOnce = 400;
    Fill(VoiceRef{1, 2, 3}.Packed());
    ASSERT_EQ(list.rows.size(), 401u);
    EXPECT_EQ(list.selected, 400);
    EXPECT_EQ(list.rows[400].data, 0x010203u);
    EXPECT_EQ(list.TextOf(400), "<1,2,3>");
    EXPECT_EQ(prompts.messages.size(), 1u);
}

} // namespace
} // namespace tessaro

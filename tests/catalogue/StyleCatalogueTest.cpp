#include "catalogue/StyleCatalogue.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tessaro {
namespace {

// The flash names are process-wide; every test starts and ends with the defaults.
class StyleCatalogueTest : public ::testing::Test
{
protected:
    void SetUp() override { catalogue.SetFlashNamesDefault(); }
    void TearDown() override { catalogue.SetFlashNamesDefault(); }

    std::string RowText(int row)
    {
        std::string text = "untouched";
        EXPECT_TRUE(StyleCatalogue::StyleRowText(row, text, &catalogue, 0)) << row;
        return text;
    }

    StyleCatalogue catalogue;
};

struct ExpectedGroup
{
    std::string group;
    std::vector<std::string> names;
};

const std::vector<ExpectedGroup> kExpectedPresets = {
    {"8 Beat", {"Heart Beat",      "8 Beat 1",      "8 Beat 2",     "8 Beat 3",  "8 Beat 4",
                "6/8 Slow Rock",   "Spicy Beat",    "8 Beat Adria", "Off Beat",  "8 Beat Rock1",
                "Piano Ballad",    "Guitar Ballad", "Organ Ballad", "Love Song", "8 Beat Ballad 1",
                "Acoustic Ballad", "Modern 6/8",    "Root Rock 1",  "Soft Rock", "Hard Rock"}},
    {"16 Beat",
     {"16 Beat 1", "16 Beat 2", "16 Beat 3", "16 Beat 4", "Slow && Easy", "Smooth Jazz", "Uptown Beat",
      "Jazz Rock", "Kool Shuffle", "West End Shuffle"}},
    {"Dance",
     {"House Musik", "DJ Berlin", "Trance 1", "Hip Hop", "Trip Hop", "Disco Chocolate", "70's Disco",
      "Saturday Night", "Disco Fox", "Techno-Polis", "Euro Shop", "Entrance", "Clubdance", "Flip Hop",
      "Disco Samba"}},
    {"Swing && Jazz",
     {"Big Band 1", "Big Band 2", "Big Band 3", "Swing 1", "Swing 2", "Acoustic Jazz", "Electric Jazz",
      "Jazz Ballad 1", "Gypsy Swing", "Swingfox", "Dixieland", "Ragtime", "Big Band Ballad", "Shuffle",
      "Piano Swing"}},
    {"R && B",
     {"Soul Shuffle", "Soul", "Modern R&B", "Rock && Roll", "Croco Twist", "Gospel Brothers",
      "Gospel Sisters", "Gospel Shuffle", "6/8 Blues", "Boogie Woogie 1", "Amazing Gospel", "Blueberry Blues",
      "60's Rock && Roll", "Funky Fusion", "Rock Shuffle"}},
    {"Country",
     {"Country Rock", "Country 2/4", "Country Swing 1", "Country Shuffle 1", "Country Ballad",
      "Country Waltz", "Bluegrass 1", "Hoedown", "Country Brothers", "Guitar Pop"}},
    {"Latin",
     {"Samba City", "Samba Rio", "Bossa Nova", "Fast Bossa", "Mambo 1", "Caribbean", "Carnival",
      "Gypsy Rumba", "Pop Rumba", "Sheriff Reggae"}},
    {"March && Waltz",
     {"US March", "German March 1", "6/8 March", "Polka Oberkrainer", "Waltz Oberkrainer", "Guitar Serenade",
      "Tarantella 1", "Polka Pop 1", "Jazz Waltz", "Slow Waltz"}},
    {"Ballroom",
     {"Viennese Waltz",
      "English Waltz",
      "Slowfox 1",
      "Quickstep",
      "Tango",
      "Samba",
      "Rumba",
      "Cha Cha Cha",
      "Pasodoble 1",
      "Jive",
      "Metronome 1/4",
      "Metronome 2/4",
      "Metronome 3/4",
      "Metronome 4/4",
      "Metronome 6/8",
      "Bass Chord Hold 1",
      "Bass Chord Hold 2",
      "Bass Chord Hold 3",
      "Bass Chord Hold 4",
      "Bass Chord Hold 5"}},
};

// Factory names of slots 1.. of banks I..VIII; the other slots have no data.
const std::vector<std::vector<std::string>> kExpectedFactory = {
    {"60's Rock 1", "60's Rock 2", "8 Beat 5", "8BeatRock2", "8BeatRock3", "8Bt Ballad2", "Barock",
     "Root Rock 2", "Root Rock 3", "Slow Rock"},
    {"UptownShffl", "LA Groove", "Funk", "AnalgBallad", "Hip Hop Pop", "16BtBallad1", "16BtBallad2",
     "EP Ballad", "Pop Ballad", "16RkBallad"},
    {"6/8 Trance", "16DanceShfl", "70's Disco2", "Dance Funk", "Dance Soul", "Disco", "DiscoFusion",
     "DiscoHands", "Eurobeat", "Groundbeat", "Handbag", "Party Pop", "Soul Dance", "Techno 1", "Trance 2"},
    {"Bebop", "BBandShffle", "Cat Groove", "Foxtrot 1", "Foxtrot 2", "JazzBallad2", "LoungePiano",
     "MidnightSwg", "Miller Bld", "OrganQckstp", "Vocal Swing", "Jazz Singer"},
    {"16Beat Funk", "60's Rock 3", "BluesShffle", "Boogie 2", "LovelyShffl", "Motown", "Motown Soul",
     "Soul Beat", "Pop Shuffle", "Twist"},
    {"Bluegrass 2", "Carpenter", "C.TwoStep", "Cntry8Beat1", "Cntry8Beat2", "Country Pop", "CntrySwing2",
     "Cowboy Boog", "Cowboy Rock", "SingerSongW"},
    {"Espagnole", "RumbaFlamen", "Salsa", "RumbaIsland", "Piano Rumba", "Beguine", "GuitarBossa",
     "Bossa Band", "HappyReggae", "JumboReggae"},
    {"Showtune", "Polka Pop 2", "Ger.March 2", "Jig", "Reel", "Musette", "Swing Waltz", "Pop Waltz",
     "Christ 3/4", "Christ 4/4"},
};

const char* const kNumerals[] = {"I", "II", "III", "IV", "V", "VI", "VII", "VIII"};

std::string Numbered(int bank, int slot)
{
    return std::string("Flash ") + kNumerals[bank] + " - <" + std::to_string(slot + 1) + ">";
}

TEST(StyleCatalogueBankNumeral, RomanForOneToTenOnly)
{
    const char* expected[] = {"I", "II", "III", "IV", "V", "VI", "VII", "VIII", "IX", "X"};
    for (int bank = 1; bank <= 10; ++bank) {
        EXPECT_EQ(BankNumeral(bank), expected[bank - 1]);
    }
    EXPECT_EQ(BankNumeral(0), "");
    EXPECT_EQ(BankNumeral(11), "");
    EXPECT_EQ(BankNumeral(-1), "");
}

TEST_F(StyleCatalogueTest, EveryPresetHasItsNameAndGroupLabel)
{
    int index = 0;
    for (const ExpectedGroup& group : kExpectedPresets) {
        for (const std::string& name : group.names) {
            EXPECT_EQ(catalogue.GetStyleName(index), name) << index;
            EXPECT_EQ(catalogue.GetStyleLabel(index), group.group + " - " + name) << index;
            ++index;
        }
    }
    EXPECT_EQ(index, 125);
    EXPECT_EQ(catalogue.GetStyleLabel(0), "8 Beat - Heart Beat");
    EXPECT_EQ(catalogue.GetStyleLabel(62), "R && B - Modern R&B");
}

TEST_F(StyleCatalogueTest, DefaultFlashNamesAreNumberedByBankAndSlot)
{
    for (int f = 0; f < 120; ++f) {
        const std::string expected = Numbered(f / 15, f % 15);
        EXPECT_EQ(catalogue.GetStyleName(125 + f), expected);
        EXPECT_EQ(catalogue.GetStyleLabel(125 + f), expected);
    }
    EXPECT_EQ(catalogue.GetStyleLabel(125), "Flash I - <1>");
    EXPECT_EQ(catalogue.GetStyleLabel(141), "Flash II - <2>");
    EXPECT_EQ(catalogue.GetStyleLabel(244), "Flash VIII - <15>");
}

TEST_F(StyleCatalogueTest, FactoryNamesForBothModels)
{
    for (bool isPro : {false, true}) {
        catalogue.SetFlashNamesFactory(isPro);
        for (int bank = 0; bank < 8; ++bank) {
            for (int slot = 0; slot < 15; ++slot) {
                const int index = 125 + bank * 15 + slot;
                const auto& names = kExpectedFactory[bank];
                const bool proOnlySlot = bank == 3 && (slot == 10 || slot == 11);
                if (slot < int(names.size()) && (isPro || !proOnlySlot)) {
                    EXPECT_EQ(catalogue.GetStyleName(index), names[slot]) << index;
                    EXPECT_EQ(catalogue.GetStyleLabel(index),
                              std::string("Flash ") + kNumerals[bank] + " - " + names[slot]);
                } else {
                    EXPECT_EQ(catalogue.GetStyleName(index), Numbered(bank, slot)) << index << isPro;
                    EXPECT_EQ(catalogue.GetStyleLabel(index), Numbered(bank, slot)) << index << isPro;
                }
            }
        }
    }
    // Presets are untouched by the flash names.
    EXPECT_EQ(catalogue.GetStyleLabel(124), "Ballroom - Bass Chord Hold 5");
}

TEST_F(StyleCatalogueTest, ProOnlyFactoryStylesAndUnusedSlots)
{
    catalogue.SetFlashNamesFactory(false);
    EXPECT_EQ(catalogue.GetStyleLabel(180), "Flash IV - <11>");
    EXPECT_EQ(catalogue.GetStyleLabel(135), "Flash I - <11>");
    catalogue.SetFlashNamesFactory(true);
    EXPECT_EQ(catalogue.GetStyleLabel(180), "Flash IV - Vocal Swing");
    EXPECT_EQ(catalogue.GetStyleName(181), "Jazz Singer");
    EXPECT_EQ(catalogue.GetStyleLabel(135), "Flash I - <11>");
    EXPECT_EQ(catalogue.GetStyleLabel(125), "Flash I - 60's Rock 1");

    // Going back to the PSR-9000 takes the pro names away again.
    catalogue.SetFlashNamesFactory(false);
    EXPECT_EQ(catalogue.GetStyleName(181), "Flash IV - <12>");
    catalogue.SetFlashNamesDefault();
    EXPECT_EQ(catalogue.GetStyleLabel(125), "Flash I - <1>");
}

TEST_F(StyleCatalogueTest, IndividualNames)
{
    catalogue.SetFlashNameIndividual(16, "My Style");
    EXPECT_EQ(catalogue.GetStyleName(141), "My Style");
    EXPECT_EQ(catalogue.GetStyleLabel(141), "Flash II - My Style");

    catalogue.SetFlashNameIndividual(16, "nO dATA");
    EXPECT_EQ(catalogue.GetStyleName(141), "Flash II - <2>");
    EXPECT_EQ(catalogue.GetStyleLabel(141), "Flash II - <2>");

    // Only the exact words count as "no data".
    catalogue.SetFlashNameIndividual(119, "No Data ");
    EXPECT_EQ(catalogue.GetStyleLabel(244), "Flash VIII - No Data ");

    catalogue.SetFlashNameIndividual(-1, "Outside");
    catalogue.SetFlashNameIndividual(120, "Outside");
    EXPECT_EQ(catalogue.GetStyleLabel(124), "Ballroom - Bass Chord Hold 5");
    EXPECT_EQ(catalogue.GetStyleLabel(125), "Flash I - <1>");
    EXPECT_EQ(catalogue.GetStyleLabel(245), "");
}

TEST_F(StyleCatalogueTest, LookupsOutsideTheTableAreEmpty)
{
    EXPECT_EQ(catalogue.GetStyleName(-1), "");
    EXPECT_EQ(catalogue.GetStyleLabel(-1), "");
    EXPECT_EQ(catalogue.GetStyleName(245), "");
    EXPECT_EQ(catalogue.GetStyleLabel(245), "");
}

TEST_F(StyleCatalogueTest, StyleListRows)
{
    EXPECT_EQ(RowText(0), "8 Beat - Heart Beat");
    EXPECT_EQ(RowText(244), "Flash VIII - <15>");
    EXPECT_EQ(RowText(245), "DiskStyle 1");
    EXPECT_EQ(RowText(494), "DiskStyle 250");

    std::string text = "untouched";
    EXPECT_FALSE(StyleCatalogue::StyleRowText(-1, text, &catalogue, 0));
    EXPECT_FALSE(StyleCatalogue::StyleRowText(495, text, &catalogue, 0));
    EXPECT_FALSE(StyleCatalogue::StyleRowText(0, text, nullptr, 0)) << "no catalogue";
    EXPECT_EQ(text, "untouched");

    catalogue.SetFlashNamesFactory(true);
    EXPECT_EQ(RowText(180), "Flash IV - Vocal Swing");
}

TEST_F(StyleCatalogueTest, StyleTextOfAnEntry)
{
    EXPECT_EQ(catalogue.StyleTextOf(0), "Heart Beat");
    EXPECT_EQ(catalogue.StyleTextOf(62), "Modern R&B");
    EXPECT_EQ(catalogue.StyleTextOf(244), "Flash VIII - <15>");
    EXPECT_EQ(catalogue.StyleTextOf(245), "DiskStyle 1"); // diskStyleNumber 0
    EXPECT_EQ(catalogue.StyleTextOf(494), "DiskStyle 250");
    EXPECT_EQ(catalogue.StyleTextOf(500), "DiskStyle 256"); // diskStyleNumber 255
    EXPECT_EQ(catalogue.StyleTextOf(-1), "");
    catalogue.SetFlashNamesFactory(false);
    EXPECT_EQ(catalogue.StyleTextOf(125), "60's Rock 1");
}

} // namespace
} // namespace tessaro

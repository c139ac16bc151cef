#include "data/ReadableName.h"

#include "catalogue/StyleCatalogue.h"
#include "catalogue/VoiceCatalogue.h"

#include <gtest/gtest.h>

#include <string>

namespace tessaro {
namespace {

TEST(ReadableNameTest, DoubledAmpersandShowsOnceAndALoneOneStays)
{
    EXPECT_EQ(ReadableName("Swing && Jazz"), "Swing & Jazz");
    EXPECT_EQ(ReadableName("R && B - Modern R&B"), "R & B - Modern R&B");
    EXPECT_EQ(ReadableName("Choir&&Pad"), "Choir&Pad");
    EXPECT_EQ(ReadableName("R&B"), "R&B");
    EXPECT_EQ(ReadableName("&"), "&");
    EXPECT_EQ(ReadableName("end&"), "end&");
    EXPECT_EQ(ReadableName("&&"), "&");
    EXPECT_EQ(ReadableName("&&&"), "&&");  // a pair, then a lone one
    EXPECT_EQ(ReadableName("&&&&"), "&&"); // two pairs
    EXPECT_EQ(ReadableName(""), "");
    EXPECT_EQ(ReadableName("plain"), "plain");
}

TEST(ReadableNameTest, OtherBytesPassUnchanged)
{
    // Windows-1252 and UTF-8 texts alike; a NUL inside is kept too.
    EXPECT_EQ(ReadableName("Caf\xE9 && Bar"), "Caf\xE9 & Bar");
    EXPECT_EQ(ReadableName("Caf\xC3\xA9 && Bar"), "Caf\xC3\xA9 & Bar");
    EXPECT_EQ(ReadableName(std::string("a\0&&b", 5)), std::string("a\0&b", 4));
}

TEST(ReadableNameTest, AnEditLeftAsShownKeepsTheStoredBytes)
{
    EXPECT_EQ(StoredNameAfterEdit("Rock&&Roll", "Rock&Roll"), "Rock&&Roll");
    EXPECT_EQ(StoredNameAfterEdit("Rock&&Roll", "Rock&Roll!"), "Rock&Roll!");
    EXPECT_EQ(StoredNameAfterEdit("Rock&&Roll", "Rock&&Roll"), "Rock&&Roll"); // typed as stored
    EXPECT_EQ(StoredNameAfterEdit("R&B", "R&B"), "R&B");
    EXPECT_EQ(StoredNameAfterEdit("Pop", ""), "");
}

TEST(ReadableNameTest, CatalogueNamesReadAsMeant)
{
    EXPECT_EQ(ReadableName(StyleCatalogue().GetStyleLabel(62)), "R & B - Modern R&B");
    EXPECT_EQ(ReadableName(VoiceCatalogue::FindVoiceName({0, 116, 52})), "Choir&Pad - Live!Gospel");
}

TEST(ReadableNameOfCatalogueNames, DoubledAmpersandsReadAsOneLoneOnesStay)
{
    EXPECT_EQ(ReadableName("Choir&&Pad - Live!Gospel"), "Choir&Pad - Live!Gospel");
    EXPECT_EQ(ReadableName("R && B - Modern R&B"), "R & B - Modern R&B");
    EXPECT_EQ(ReadableName("&&&"), "&&");
    EXPECT_EQ(ReadableName("&&&&"), "&&");
    EXPECT_EQ(ReadableName("ends in &"), "ends in &");
    EXPECT_EQ(ReadableName(""), "");
}

} // namespace
} // namespace tessaro

#include "data/ReadableName.h"

#include <gtest/gtest.h>

namespace tessaro {
namespace {

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

#include "catalogue/ShownName.h"

#include <gtest/gtest.h>

namespace tessaro {
namespace {

TEST(ShownName, DoubledAmpersandsReadAsOneLoneOnesStay)
{
    EXPECT_EQ(ShownName("Choir&&Pad - Live!Gospel"), "Choir&Pad - Live!Gospel");
    EXPECT_EQ(ShownName("R && B - Modern R&B"), "R & B - Modern R&B");
    EXPECT_EQ(ShownName("&&&"), "&&");
    EXPECT_EQ(ShownName("&&&&"), "&&");
    EXPECT_EQ(ShownName("ends in &"), "ends in &");
    EXPECT_EQ(ShownName(""), "");
}

} // namespace
} // namespace tessaro

#include "data/WholeNumber.h"

#include <gtest/gtest.h>

namespace tessaro {
namespace {

TEST(WholeNumber, SignDigitsAndBlanksOnly)
{
    EXPECT_EQ(ParseWholeNumber(" 12 "), 12);
    EXPECT_EQ(ParseWholeNumber("\t+5"), 5);
    EXPECT_EQ(ParseWholeNumber("-3"), -3);
    EXPECT_EQ(ParseWholeNumber("007"), 7);
    EXPECT_EQ(ParseWholeNumber("2147483647"), 2147483647);
    EXPECT_EQ(ParseWholeNumber("-2147483648"), -2147483647 - 1);
    for (const char* bad : {"", " ", "12a", "1e3", "- 3", "1.5", "2147483648", "99999999999999999999", "+",
                            "0x10", "\xC2\xB9"}) {
        EXPECT_EQ(ParseWholeNumber(bad), std::nullopt) << bad;
    }
}

} // namespace
} // namespace tessaro

#include "textmodel/AsciiText.h"

#include <gtest/gtest.h>

#include <string>

namespace tagloom {
namespace {

TEST(AsciiText, wordCharactersAreAsciiLettersDigitsAndUnderscore) {
    for (char c : std::string("azAZ09_")) EXPECT_TRUE(isWordChar(c)) << c;
    for (char c : std::string(" .-=;<\r\n\x80\xe9")) EXPECT_FALSE(isWordChar(c)) << int(c);
}

}  // namespace
}  // namespace tagloom

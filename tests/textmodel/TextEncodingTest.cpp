#include "textmodel/TextEncoding.h"

#include <gtest/gtest.h>

#include "textmodel/EditControl.h"

namespace tagloom {
namespace {

TEST(TextEncoding, validUtf8IsUtf8AndAnythingElseWindows1252) {
    struct Case {
        std::string bytes;
        TextEncoding encoding;
    };
    const Case cases[] = {
        {"", TextEncoding::Utf8},
        {"plain ASCII, long enough to cross eight-byte blocks", TextEncoding::Utf8},
        {"caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80", TextEncoding::Utf8},
        {"caf\xE9", TextEncoding::Windows1252},
        {"ok ok ok ok \xC3", TextEncoding::Windows1252},          // cut short at the end
        {"\xC0\xAF", TextEncoding::Windows1252},                  // overlong
        {"\xED\xA0\x80", TextEncoding::Windows1252},              // a surrogate
        {std::string("a\0b", 3), TextEncoding::Utf8},
    };
    for (const Case& c : cases) EXPECT_EQ(encodingOf(c.bytes), c.encoding) << c.bytes;
}

TEST(TextEncoding, charactersConvertToAndFromWindows1252WhereItHasThem) {
    struct Case {
        std::string utf8;
        std::optional<std::string> latin;
    };
    const Case cases[] = {
        {"abc", "abc"},
        {"caf\xC3\xA9", "caf\xE9"},
        {"\xE2\x82\xAC \xC5\x93 \xE2\x80\x94", "\x80 \x9C \x97"},  // euro, oe, em dash
        {"\xC3\xBF", "\xFF"},
        {"\xE4\xB8\xAD", std::nullopt},  // no byte for it
        {"\xE9", std::nullopt},          // not UTF-8 to begin with
    };
    for (const Case& c : cases) {
        EXPECT_EQ(fromUtf8(c.utf8, TextEncoding::Windows1252), c.latin) << c.utf8;
        if (c.latin) {
            EXPECT_EQ(toUtf8(*c.latin, TextEncoding::Windows1252), c.utf8) << c.utf8;
        }
    }
    EXPECT_EQ(toUtf8("caf\xE9 \xC3\xA9", TextEncoding::Utf8), "caf\xC3\xA9 \xC3\xA9") << "as the display reads it";
}

TEST(TextEncoding, typedCharactersAreStoredInTheTextsEncodingWhichFollowsWholeTexts) {
    EditControl control;
    control.setText("caf\xE9 ");
    ASSERT_EQ(control.encoding(), TextEncoding::Windows1252);
    control.setSel(5, 5);
    EXPECT_TRUE(control.typeCharacters("\xC3\xA9\xE2\x82\xAC"));
    EXPECT_FALSE(control.typeCharacters("\xE4\xB8\xAD")) << "Windows-1252 has no byte for it";
    EXPECT_EQ(control.getText(), "caf\xE9 \xE9\x80");

    control.exchangeText("now UTF-8 \xC3\xA9");
    EXPECT_EQ(control.encoding(), TextEncoding::Utf8);
    EXPECT_TRUE(control.typeCharacters("\xE4\xB8\xAD"));
    EXPECT_EQ(control.getText(), "now UTF-8 \xC3\xA9\xE4\xB8\xAD");
    control.setReadOnly(true);
    EXPECT_FALSE(control.typeCharacters("x"));
}

}  // namespace
}  // namespace tagloom

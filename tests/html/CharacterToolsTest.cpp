// The character tools: case changes in both encodings, the hexadecimal entry,
// the dump, the ASCII check, the reference texts, and the commands on a
// stand-in view.
#include "html/CharacterTools.h"

#include <gtest/gtest.h>

#include "html/CharacterCommands.h"
#include "html/ReferenceTexts.h"
#include "resources/CommandIds.h"
#include "support/ComponentFixture.h"

namespace tagloom {
namespace {

constexpr auto kUtf8 = TextEncoding::Utf8;
constexpr auto kWestern = TextEncoding::Windows1252;

TEST(CharacterTools, caseChangesNeverSplitACharacterAndKeepWhatTheEncodingCannotHold) {
    struct Case {
        const char* name;
        std::string text;
        CaseChange change;
        TextEncoding encoding;
        std::string expected;
    };
    const Case cases[] = {
        {"ASCII up", "Mixed 12, text!", CaseChange::Upper, kUtf8, "MIXED 12, TEXT!"},
        {"invert: letters only", "aB1-cD_?", CaseChange::Invert, kUtf8, "Ab1-Cd_?"},
        {"invert leaves other letters", "\xc3\xa9" "a", CaseChange::Invert, kUtf8, "\xc3\xa9" "A"},
        {"UTF-8 accented letters", "caf\xc3\xa9 \xc3\xbc", CaseChange::Upper, kUtf8, "CAF\xc3\x89 \xc3\x9c"},
        {"UTF-8 Greek and Cyrillic down", "\xce\xa3\xd0\x96", CaseChange::Lower, kUtf8, "\xcf\x83\xd0\xb6"},
        {"UTF-8 sharp s has no simple capital", "stra\xc3\x9f" "e", CaseChange::Upper, kUtf8, "STRA\xc3\x9f" "E"},
        {"UTF-8 dotless i is shorter in capitals", "\xc4\xb1", CaseChange::Upper, kUtf8, "I"},
        {"a byte of no sequence is kept", "a\xe9z", CaseChange::Upper, kUtf8, "A\xe9Z"},
        {"Windows-1252 letters", "caf\xe9 \xfc", CaseChange::Upper, kWestern, "CAF\xc9 \xdc"},
        {"Windows-1252 y umlaut to its capital at 0x9F", "\xff", CaseChange::Upper, kWestern, "\x9f"},
        {"Windows-1252 down", "\xc9\x8a", CaseChange::Lower, kWestern, "\xe9\x9a"},
        {"Windows-1252 micro sign has no capital there", "\xb5", CaseChange::Upper, kWestern, "\xb5"},
    };
    for (const Case& c : cases) EXPECT_EQ(changeCase(c.text, c.change, c.encoding), c.expected) << c.name;
}

TEST(CharacterTools, hexEntryTakesOneOrTwoDigitsBetweenBlanks) {
    const std::pair<const char*, std::optional<unsigned char>> cases[] = {
        {"41", 0x41}, {" 7e ", 0x7E}, {"\tF", 0x0F}, {"00", 0},          {"ff", 0xFF},
        {"", {}},     {"0x41", {}},   {"4 1", {}},   {"411", {}},         {"G1", {}},
        {"  ", {}},   {"1g", {}},
    };
    for (const auto& [typed, code] : cases) EXPECT_EQ(readHexEntry(typed), code) << '"' << typed << '"';
    EXPECT_EQ(characterOfCode(0xE9, kWestern), "\xe9");
    EXPECT_EQ(characterOfCode(0xE9, kUtf8), "\xc3\xa9");
    EXPECT_EQ(codeOfCharacter("\xc3\xa9", kUtf8), 0xE9);
    EXPECT_EQ(codeOfCharacter("\xe2\x82\xac", kUtf8), std::nullopt);
    EXPECT_EQ(codeOfCharacter("\x80", kWestern), 0x80);
}

TEST(CharacterTools, hexDumpRowsOfTenWithPaddedLastRow) {
    std::string selected = "abcdefghij\x01klmnopqrstuvw";  // 23 bytes at offset 5
    selected.resize(23);
    const HexDump dump = hexDump(selected, 5, 28);
    EXPECT_EQ(dump.title, "Hex of selected characters 5 to 27 (0-based)");
    EXPECT_EQ(dump.body,
              "  5    61 62 63 64 65 66 67 68 69 6A    abcdefghij\r\n"
              " 15    01 6B 6C 6D 6E 6F 70 71 72 73    .klmnopqrs\r\n"
              " 25    74 75 76                " "         tuv\r\n");
}

TEST(CharacterTools, asciiCheckShowsTwentyFiveLinesAndPutsAllOnTheClipboard) {
    const AsciiReport clean = asciiCompatibility("a\tb\r\nc");
    EXPECT_EQ(clean.message.text, "6 characters were checked.\r\n\r\nThis file is ASCII compatible.");
    EXPECT_EQ(clean.message.title, "Tagloom ASCII Compatible");
    EXPECT_EQ(clean.message.icon, Icon::None);
    EXPECT_EQ(clean.clipboardText, "");

    const AsciiReport two = asciiCompatibility("x\x01y\xe9");
    EXPECT_EQ(two.message.text, "Index\tOffset\tChar\tHex\r\n\r\n1\t1\t1\t01\r\n2\t3\t233\tE9\r\n");
    EXPECT_EQ(two.message.title, "Tagloom Non ASCII Characters");
    EXPECT_EQ(two.message.icon, Icon::Warning);

    for (const int count : {24, 25, 30}) {
        const AsciiReport many = asciiCompatibility(std::string(static_cast<std::size_t>(count), '\x7f'));
        const std::string& text = many.message.text;
        EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 2 + std::min(count, 25) + (count > 24 ? 2 : 0));
        const std::string note =
            "\r\nThe first 25 are shown here.\r\nAll " + std::to_string(count) + " are on the clipboard.";
        EXPECT_EQ(text.ends_with(note), count > 24) << count;
        EXPECT_EQ(std::count(many.clipboardText.begin(), many.clipboardText.end(), '\n'), 2 + count);
    }
}

std::size_t characters(const std::string& utf8) {
    return static_cast<std::size_t>(
        std::count_if(utf8.begin(), utf8.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

TEST(ReferenceTexts, haveTheirLengthsAndSampleRows) {
    const std::string& lorem = loremIpsumText();
    EXPECT_EQ(lorem.size(), 4288u);
    EXPECT_TRUE(lorem.starts_with("Lorem ipsum dolor sit amet, consectetur adipiscing elit."));
    std::vector<std::size_t> paragraphs;
    for (std::size_t from = 0;;) {
        const std::size_t at = lorem.find("\r\n\r\n", from);
        paragraphs.push_back((at == std::string::npos ? lorem.size() : at) - from);
        if (at == std::string::npos) break;
        from = at + 4;
    }
    EXPECT_EQ(paragraphs, (std::vector<std::size_t>{737, 1088, 567, 938, 942}));

    const std::string& codes = asciiCodesText();
    EXPECT_EQ(characters(codes), 7544u);
    EXPECT_FALSE(codes.ends_with("\n"));
    EXPECT_TRUE(codes.starts_with("ASCII\t\t\tHTML\tHTML\t\r\nDec\tHex\tSymbol\tNumber\tName\tDescription\r\n" +
                                  std::string(112, '-') + "\r\n32\t20\t \t&#32;\t\tspace\r\n"));
    for (const std::string row :
         {"\r\n33\t21\t!\t&#33;\t\texclamation point\r\n", "\r\n38\t26\t&\t&#38;\t&amp;\t",
          "\r\n65\t41\tA\t&#65;\t\t\r\n", "\r\n126\t7E\t~\t&#126;\t\tequivalency sign - tilde\r\n",
          "\r\n\r\n127 - 159    7F - 9F    not defined in HTML 4 standard\r\n\r\n",
          "\r\n160\tA0\t\xc2\xa0\t&#160;\t&nbsp;\tnon-breaking space\r\n", "\r\n163\tA3\t\xc2\xa3\t&#163;\t&pound;\tpound sign\r\n"})
        EXPECT_NE(codes.find(row), std::string::npos) << row;
    EXPECT_TRUE(codes.ends_with("\r\n255\tFF\t\xc3\xbf\t&#255;\t&yuml;\tsmall letter y with umlaut mark"));
    EXPECT_EQ(std::count(codes.begin(), codes.end(), '\n'), 3 + 95 + 3 + 96 - 1);
}

struct CharCommands : test::ComponentFixture {
    CharacterCommands commands{view, fake.platform, router};
    Selection selection() { return view.control().selection(); }
};

TEST(CharacterCommands, insertHexCharPutsOneCharacterAndSelectsIt) {
    struct Case {
        const char* name;
        std::string text;
        int start, end;
        std::vector<std::optional<std::string>> typed;
        std::string offered;
        std::string result;
        Selection selected;
        int badValueBoxes;
    };
    const Case cases[] = {
        {"41 at the caret", "xy", 1, 1, {"41"}, "", "xAy", {1, 2}, 0},
        {"one character selected offers its code", "x~y", 1, 2, {" 7e "}, "7E", "x~y", {1, 2}, 0},
        {"a bad value, then a good one", "xy", 1, 1, {"0x41", "4 1", "42"}, "", "xBy", {1, 2}, 2},
        {"a bad value, then Cancel", "xy", 1, 1, {"G1", std::nullopt}, "", "xy", {1, 1}, 1},
        {"00 removes the selection and selects what follows", "xzy", 1, 2, {"00"}, "7A", "xy", {1, 2}, 0},
        {"00 before a line break selects the whole of it", "x\r\ny", 1, 1, {"00"}, "", "x\r\ny", {1, 3}, 0},
        {"E9 in UTF-8 is the whole character", "\xc3\xa9y", 0, 2, {"e9"}, "E9", "\xc3\xa9y", {0, 2}, 0},
        {"E9 in Windows-1252 is one byte", "\xe9y", 2, 2, {"e9"}, "", "\xe9y\xe9", {2, 3}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CharCommands f;
        f.load(c.text, c.start, c.end);
        f.fake.textDialogs.answers.assign(c.typed.begin(), c.typed.end());
        EXPECT_TRUE(f.router.query(cmd::InsertHexChar).enabled);
        f.router.run(cmd::InsertHexChar);
        EXPECT_EQ(f.text(), c.result);
        EXPECT_EQ(f.selection(), c.selected);
        ASSERT_FALSE(f.fake.textDialogs.entries.empty());
        EXPECT_EQ(f.fake.textDialogs.entries[0].title, "Tagloom - Enter Hex (0 - FF)");
        EXPECT_EQ(f.fake.textDialogs.entries[0].value, c.offered);
        EXPECT_EQ(f.fake.prompter.messages.size(), static_cast<std::size_t>(c.badValueBoxes));
        for (const Message& box : f.fake.prompter.messages) EXPECT_EQ(box.text, "Bad 2 digit HEX value");
    }
}

TEST(CharacterCommands, twoSelectedCharactersAskForTheSelectionToGo) {
    CharCommands f;
    f.load("abc", 0, 2);
    EXPECT_FALSE(f.router.query(cmd::InsertHexChar).enabled);
    f.commands.InsertHexChar();
    ASSERT_EQ(f.fake.prompter.messages.size(), 1u);
    EXPECT_EQ(f.fake.prompter.messages[0].text,
              "Remove the selection first !\n\nA single character will\nbe inserted at cursor.");
    EXPECT_TRUE(f.fake.textDialogs.entries.empty());
}

TEST(CharacterCommands, caseCommandsReplaceTheSelectionAndTheToolsShowTheirTexts) {
    CharCommands f;
    f.load("one Two", 4, 7);
    f.router.run(cmd::UpperCase);
    EXPECT_EQ(f.text(), "one TWO");
    EXPECT_EQ(f.selection(), (Selection{7, 7}));
    EXPECT_FALSE(f.router.query(cmd::UpperCase).enabled);

    f.load("ab\x01", 1, 3);
    f.router.run(cmd::HexOfSelectedText);
    f.router.run(cmd::AsciiCompatibility);
    f.router.run(cmd::AsciiCodes);
    ASSERT_EQ(f.fake.textDialogs.shown.size(), 2u);
    EXPECT_EQ(f.fake.textDialogs.shown[0].kind, TextView::HexDump);
    EXPECT_EQ(f.fake.textDialogs.shown[0].title, "Hex of selected characters 1 to 2 (0-based)");
    EXPECT_EQ(f.fake.textDialogs.shown[0].text, " 1    62 01                            b.\r\n");
    EXPECT_EQ(f.fake.textDialogs.shown[1].title, "Tagloom - ASCII Codes");
    EXPECT_EQ(f.fake.clipboard.contents, "Index\tOffset\tChar\tHex\r\n\r\n1\t2\t1\t01\r\n");
    EXPECT_EQ(f.fake.desktop.busyDepth, 0);
}

}  // namespace
}  // namespace tagloom

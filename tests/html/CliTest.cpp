// tagloom-cli end to end: the program is run on files and pipes, and its
// output, messages and exit status are checked.
#include "resources/CommandIds.h"
#include "support/CliFixture.h"
#include "support/ViewFixture.h"

namespace tagloom {
namespace {

using test::Cli;
using test::CliRun;
using test::readBytes;
namespace fs = std::filesystem;

const std::string kUnixPage = "<HTML>\n<body>x</body>\n</HTML>\n";
const std::string kUnixFormatted = "<html>\n\t<body>x\n\t</body>\n</html>\n";

TEST_F(Cli, formatsAFileAndWritesItInItsOwnLineEndForm) {
    const CliRun unix = run({"html-format", file("page.html", kUnixPage).string()});
    EXPECT_EQ(unix.status, 0);
    EXPECT_EQ(unix.out, kUnixFormatted);
    EXPECT_EQ(unix.err, "");

    const CliRun dos = run({"html-format", "-"}, "<HTML>\r\n<body>x</body>\r\n</HTML>\r\n");
    EXPECT_EQ(dos.status, 0);
    EXPECT_EQ(dos.out, "<html>\r\n\t<body>x\r\n\t</body>\r\n</html>\r\n");

    const CliRun piped = run({"html-format"}, kUnixPage);
    EXPECT_EQ(piped.out, kUnixFormatted);
}

TEST_F(Cli, printsTheCensusToStandardError) {
    const CliRun census = run({"html-format", "--census"}, "<html><p>a<!-- b --><P>c</html>");
    EXPECT_EQ(census.status, 0);
    EXPECT_EQ(census.err, "Found 3 unique tags and 1 comments.\n\n1\t<html>\n2\t<p>\n1\t<!-->\n");
}

TEST_F(Cli, runsTheWhitespaceAndCssToolsOnTheWholeText) {
    struct Case {
        const char* command;
        std::string input;
        std::string output;
    };
    const std::vector<Case> cases = {
        {"css-strip", "a {\r\n  b: c;\r\n}\r\n", "a { b: c;}\r\n"},
        {"html-strip", "<p>\n\t<b>x</b>  y\n</p>\n", "<p>\n<b>x</b> y\n</p>\n"},
        {"css-format", "a{b:c}", "a{\r\n\tb:c}\r\n\r\n"},
        {"css-format", "a{b:c}\n", "a{\n\tb:c}\n\n\n"},
        {"css-strip", "", ""},
    };
    for (const Case& c : cases) {
        const CliRun result = run({c.command}, c.input);
        EXPECT_EQ(result.status, 0) << c.command;
        EXPECT_EQ(result.out, c.output) << c.command << " on " << c.input;
    }
}

TEST_F(Cli, reportsStrayCarriageReturnsAsTheEditorsLoadDoes) {
    const CliRun result = run({"css-strip"}, "a\r\rb\n");
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, "ab\r\n");
    EXPECT_EQ(result.err,
              "tagloom-cli: standard input: There was 1 stray carriage returns in this MS DOS file.\n"
              "This will be automatically fixed whenever the file is saved.\n");
}

TEST_F(Cli, refusesAMissingDelimiterWithTheEditorsMessageAndSelection) {
    // In the editor's text the stretch is 8 to 15; the UNIX file lacks the CR before it.
    const CliRun result = run({"html-format", file("bad.html", "<html>\n<body <p>x</p>\n</html>\n").string()});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_NE(result.err.find(
                  "Missing tag delimiter!\n\nLook for a missing '>'\nwithin the hilighted text.\nselection 7 14\n"),
              std::string::npos)
        << result.err;

    const CliRun dos = run({"html-format"}, "<html>\r\n<body <p>x</p>\r\n</html>\r\n");
    EXPECT_NE(dos.err.find("selection 8 15\n"), std::string::npos) << dos.err;
}

TEST_F(Cli, refusesATextThatIsNoHtmlDocument) {
    const CliRun result = run({"html-format"}, "<p>no html element</p>");
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_NE(result.err.find("not an HTML document"), std::string::npos);
}

// A template fragment: with --any-text it is formatted as the editor formats
// it with "Use the HTML tools on any text"; a text without a tag still is not.
TEST_F(Cli, anyTextFormatsATemplateFragmentThatHoldsATag) {
    const CliRun fragment = run({"html-format", "--any-text"}, "{% block a %}<DIV>{{ x }}</DIV>{% endblock %}\n");
    EXPECT_EQ(fragment.status, 0) << fragment.err;
    EXPECT_EQ(fragment.out, "{% block a %}\n<div>\n\t{{ x }}\n</div>\n{% endblock %}\n");
    const CliRun plain = run({"html-format", "--any-text"}, "a < b and c > d\n");
    EXPECT_EQ(plain.status, 1);
    EXPECT_NE(plain.err.find("it holds no tag"), std::string::npos) << plain.err;
    EXPECT_EQ(run({"css-format", "--any-text"}, "a{}").status, 2);
}

TEST_F(Cli, inPlaceRewritesEveryFileItCanAndLeavesRefusedOnesUntouched) {
    const fs::path good = file("good.html", kUnixPage);
    const std::string badBytes = "<html>\n<b <i>\n</html>\n";
    const fs::path bad = file("bad.html", badBytes);
    const fs::path other = file("other.html", "<html><br></html>");
    const CliRun result = run({"html-format", "-i", good.string(), bad.string(), other.string()});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(readBytes(good), kUnixFormatted);
    EXPECT_EQ(readBytes(bad), badBytes);
    EXPECT_EQ(readBytes(other), "<html>\r\n\t<br>\r\n</html>\r\n");
    for (const fs::directory_entry& entry : fs::directory_iterator(dir_))
        EXPECT_TRUE(entry.path().filename().string().front() == '.' || entry.path().extension() == ".html")
            << "left behind: " << entry.path();
}

TEST_F(Cli, writesToTheNamedOutputAndLeavesTheInputAlone) {
    const fs::path page = file("page.html", kUnixPage);
    const fs::path out = dir_ / "out.html";
    const CliRun result = run({"html-format", "-o", out.string(), page.string()});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(readBytes(out), kUnixFormatted);
    EXPECT_EQ(readBytes(page), kUnixPage);
}

TEST_F(Cli, writesSeveralResultsToStandardOutputInOrder) {
    const CliRun result = run({"css-format", file("a.css", "a{}").string(), file("b.css", "b{}").string()});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, "a{\r\n\t}\r\n\r\nb{\r\n\t}\r\n\r\n");
}

TEST_F(Cli, usageAndFileErrorsExitWithTwo) {
    const std::string a = file("a.html", kUnixPage).string();
    const std::string b = file("b.html", kUnixPage).string();
    const std::vector<std::vector<std::string>> usageErrors = {
        {},
        {"html-tidy", a},
        {"html-format", "-o", (dir_ / "o").string(), a, b},
        {"html-format", "-i"},
        {"html-format", "-i", "-", a},
        {"html-format", "-i", "-o", (dir_ / "o").string(), a},
        {"css-format", "--census", a},
        {"html-format", "--fast", a},
        {"html-format", a, "-o"},
        {"html-format", "-", "-"},
    };
    for (const std::vector<std::string>& args : usageErrors) {
        const CliRun result = run(args);
        EXPECT_EQ(result.status, 2) << (args.empty() ? "(no arguments)" : args[0]) << " " << args.size();
        EXPECT_NE(result.err.find("usage: tagloom-cli"), std::string::npos);
        EXPECT_EQ(result.out, "");
    }
    const std::string missing = (dir_ / "missing.html").string();
    const CliRun notThere = run({"html-format", missing, a});
    EXPECT_EQ(notThere.status, 2);
    EXPECT_NE(notThere.err.find(missing), std::string::npos);
    EXPECT_EQ(notThere.out, kUnixFormatted);  // the other file is still processed

    const CliRun unwritable = run({"html-format", "-o", (dir_ / "no-such-folder" / "out.html").string(), a});
    EXPECT_EQ(unwritable.status, 2);
}

TEST_F(Cli, helpDescribesEveryCommandAndOption) {
    const CliRun help = run({"--help"});
    EXPECT_EQ(help.status, 0);
    for (const char* word : {"html-format", "html-strip", "css-format", "css-strip", "-o OUT", "-i", "--census",
                             "selection START END", "Exit status", "PHP blocks", "quoted attribute values",
                             "script, style, textarea and pre"})
        EXPECT_NE(help.out.find(word), std::string::npos) << word;
}

// The hex dump and the ASCII check from the command line give the editor's
// texts for the same file: the dialog's body, the message and the clipboard's list.
TEST_F(Cli, hexdumpAndAsciiCheckGiveTheEditorsTexts) {
    const std::string bytes = "<p>caf\xc3\xa9\n\tnext\x01 line</p>\n";
    const std::string path = file("page.html", bytes).string();

    test::ViewFixture editor;
    editor.load(bytes);
    editor.fake.clipboard.contents.reset();
    editor.select(2, 17);
    editor.router.run(cmd::HexOfSelectedText);
    editor.router.run(cmd::AsciiCompatibility);
    ASSERT_EQ(editor.fake.textDialogs.shown.size(), 1u);
    ASSERT_EQ(editor.fake.prompter.messages.size(), 1u);
    ASSERT_TRUE(editor.fake.clipboard.contents);

    const CliRun dump = run({"hexdump", "--range", "2", "17", path});
    EXPECT_EQ(dump.status, 0);
    EXPECT_EQ(dump.out, editor.fake.textDialogs.shown[0].text);
    const CliRun check = run({"ascii-check", path});
    EXPECT_EQ(check.status, 1);
    EXPECT_EQ(check.out, editor.fake.prompter.messages[0].text);
    const CliRun all = run({"ascii-check", "--all"}, bytes);
    EXPECT_EQ(all.status, 1);
    EXPECT_EQ(all.out, *editor.fake.clipboard.contents);

    const CliRun whole = run({"hexdump", "-"}, "ab");
    EXPECT_EQ(whole.out, " 0    61 62                            ab\r\n");
    const CliRun empty = run({"hexdump", "--range", "5", "5", path});
    EXPECT_EQ(empty.status, 1);
    EXPECT_EQ(empty.out, "");
    const CliRun clean = run({"ascii-check"}, "plain\n");
    EXPECT_EQ(clean.status, 0);
    EXPECT_EQ(clean.out, "7 characters were checked.\r\n\r\nThis file is ASCII compatible.");
    for (const std::vector<std::string>& refused :
         {std::vector<std::string>{"hexdump", "--range", "1", path}, {"hexdump", "-o", "x", path},
          {"ascii-check", path, path}, {"hexdump", "--all", path}, {"ascii-check", "--range", "0", "1", path}})
        EXPECT_EQ(run(refused).status, 2) << refused[1];
}

}  // namespace
}  // namespace tagloom

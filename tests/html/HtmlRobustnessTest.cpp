// Thousands of random and mutated texts through every HTML and CSS tool: no
// crash, no read outside the text (the sanitizer build checks that), and
// results that keep simple promises.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "textmodel/AsciiText.h"
#include "html/CssStretches.h"
#include "html/HtmlFormatter.h"
#include "html/HtmlNormalize.h"
#include "html/TagCensus.h"
#include "html/TagNavigator.h"
#include "html/TagScan.h"
#include "textmodel/TextSearch.h"
#include "html/TextTools.h"

namespace tagloom {
namespace {

namespace fs = std::filesystem;

class TextMaker {
public:
    explicit TextMaker(unsigned seed) : random_(seed) {}

    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }

    std::string randomBytes(int size) {
        std::string text(static_cast<std::size_t>(size), '\0');
        for (char& c : text) c = static_cast<char>(below(256));
        return text;
    }

    // Pieces of HTML; without the lone marks (brackets, comment and PHP marks,
    // quotes) when wholeTags.
    std::string tagSoup(int pieces, bool wholeTags) {
        static const std::vector<std::string> loneMarks = {"<", ">", "<!--", "-->", "<?php", "?>", "\"", "'", "=\""};
        static const std::vector<std::string> wholePieces = {"<html>",
                                                             "</HTML>",
                                                             "<p>",
                                                             "</p>",
                                                             "<P class=x>",
                                                             "<div>",
                                                             "</div>",
                                                             "<br>",
                                                             "<!-- c -->",
                                                             "<!DOCTYPE html>",
                                                             "<a href=x/p>",
                                                             "</a>",
                                                             "<a title='a > </a>'>",
                                                             "<p title=O'Neil>",
                                                             "<script>",
                                                             "</SCRIPT>",
                                                             "<style type=\"text/css\">",
                                                             "</style >",
                                                             "<pre>",
                                                             "</pre>",
                                                             "<textarea>",
                                                             "</TextArea>",
                                                             "<?php echo $a->b; ?>",
                                                             "x => y",
                                                             "/",
                                                             "!",
                                                             "-",
                                                             "=",
                                                             " ",
                                                             "  ",
                                                             "\t",
                                                             "\r\n",
                                                             "\r\r\n",
                                                             "\r",
                                                             "\n",
                                                             "text",
                                                             "Word",
                                                             "{",
                                                             "}",
                                                             ";",
                                                             "<td\r\nx>",
                                                             "</>",
                                                             "<>",
                                                             std::string(1, '\0')};
        const int lone = wholeTags ? 0 : static_cast<int>(loneMarks.size());
        std::string text;
        for (int i = 0; i < pieces; ++i) {
            const int pick = below(lone + static_cast<int>(wholePieces.size()));
            text += pick < lone ? loneMarks[static_cast<std::size_t>(pick)]
                                : wholePieces[static_cast<std::size_t>(pick - lone)];
        }
        return text;
    }

    std::string deepNesting(int depth) {
        std::string text = "<html>";
        for (int i = 0; i < depth; ++i) text += below(4) == 0 ? "<p>" : "<div class=n>";
        for (int i = 0; i < depth; ++i) text += below(3) == 0 ? "</p>" : "</div>";
        return text + "</html>";
    }

    std::string longNames() {
        std::string name(10000, 'a');
        for (char& c : name) c = static_cast<char>((below(2) ? 'a' : 'A') + below(26));
        std::string other = name;
        other.back() = other.back() == 'z' ? 'y' : 'z';
        return "<html><" + name + " id=1>x</" + (below(2) ? name : other) + "></html><" + name + ">";
    }

    std::string mutated(std::string text, int edits) {
        static const std::string pokes = "<>!-/ \t\r\nAa";
        for (int i = 0; i < edits && !text.empty(); ++i) {
            const std::size_t at = static_cast<std::size_t>(below(static_cast<int>(text.size())));
            const char poke = pokes[static_cast<std::size_t>(below(static_cast<int>(pokes.size())))];
            switch (below(3)) {
            case 0:
                text.insert(at, 1, poke);
                break;
            case 1:
                text.erase(at, 1);
                break;
            default:
                text[at] = poke;
            }
        }
        return text;
    }

    Selection selectionIn(std::string_view text) {
        const int length = static_cast<int>(text.size());
        const int a = below(length + 1);
        const int b = below(4) == 0 ? a : below(length + 1);
        return {std::min(a, b), std::max(a, b)};
    }

private:
    std::mt19937 random_;
};

bool isBlankByte(char c) { return c == ' ' || c == kTab || c == kCR || c == kLF; }

std::string foldedNonBlank(std::string_view text) {
    std::string kept;
    for (const char c : text)
        if (!isBlankByte(c)) kept += toLowerAscii(c);
    return kept;
}

// The search step read literally: every start offset tried in turn.
std::optional<int> literalSearch(std::string_view text, Selection sel, std::string_view what, bool forward,
                                 bool matchCase) {
    const int len = static_cast<int>(text.size());
    const int n = static_cast<int>(what.size());
    auto matches = [&](int at) {
        const std::string_view candidate = text.substr(static_cast<std::size_t>(at), what.size());
        return matchCase ? candidate == what : equalsIgnoringAsciiCase(candidate, what);
    };
    if (n == 0) return std::nullopt;
    if (forward) {
        const std::string_view selected =
            text.substr(static_cast<std::size_t>(sel.start), static_cast<std::size_t>(sel.end - sel.start));
        const bool selectedMatches = matchCase ? selected == what : equalsIgnoringAsciiCase(selected, what);
        const int first = sel.end > sel.start && selectedMatches ? sel.start + 1 : sel.start;
        if (first + n - 1 >= len) return std::nullopt;
        for (int at = first; at <= len - n; ++at)
            if (matches(at)) return at;
        return std::nullopt;
    }
    if (sel.start == 0 || len < n) return std::nullopt;
    for (int at = std::min(sel.start - 1, len - n); at >= 0; --at)
        if (matches(at)) return at;
    return std::nullopt;
}

bool literalIsHtml(std::string_view text) {
    if (text.size() < 12) return false;
    bool open = false;
    bool close = false;
    for (std::size_t at = 0; at + 6 <= text.size(); ++at) {
        open = open || matchesAtIgnoringCase(text, at, "<HTML");
        close = close || matchesAtIgnoringCase(text, at, "/HTML>");
    }
    return open && close;
}

// Depth effects by searching the rest of the text for every opening tag: a
// closing text counts where its '>' ends an element's tag or stands in a
// comment. Content that a closing tag ends counts as closed.
std::vector<int> literalDepthEffects(std::string_view copy, const std::vector<TagSpan>& tags) {
    std::set<std::size_t> closingBrackets;
    for (const TagSpan& tag : tags) {
        if (tag.kind == TagSpan::Kind::Element) closingBrackets.insert(static_cast<std::size_t>(tag.end));
        if (tag.kind == TagSpan::Kind::Comment)
            for (int at = tag.start; at <= tag.end; ++at)
                if (copy[static_cast<std::size_t>(at)] == '>') closingBrackets.insert(static_cast<std::size_t>(at));
    }
    std::vector<int> effects;
    for (const TagSpan& tag : tags) {
        if (copy[static_cast<std::size_t>(tag.start) + 1] == '/') {
            effects.push_back(-1);
            continue;
        }
        const std::string closing = "/" + std::string(tagName(copy, tag)) + ">";
        int effect = tag.content != ElementContent::None && &tag != &tags.back() ? 1 : 0;
        for (std::size_t at = copy.find(closing, static_cast<std::size_t>(tag.start) + closing.size());
             at != std::string_view::npos && effect == 0; at = copy.find(closing, at + 1))
            if (closingBrackets.count(at + closing.size() - 1) > 0) effect = 1;
        effects.push_back(effect);
    }
    return effects;
}

void checkNavigation(TextMaker& maker, TagNavigator& cached, const std::string& text) {
    TagNavigator fresh;
    const bool html = literalIsHtml(text);
    EXPECT_EQ(fresh.IsHtmlDocument(text), html);
    EXPECT_EQ(cached.IsHtmlDocument(text), html);

    const int len = static_cast<int>(text.size());
    for (int round = 0; round < 3; ++round) {
        const Selection sel = maker.selectionIn(text);
        std::string what = maker.below(2) ? std::string(1, "<>"[maker.below(2)]) : std::string();
        if (what.empty() && len > 0) what = text.substr(static_cast<std::size_t>(maker.below(len)), 1 + maker.below(3));
        const bool forward = maker.below(2) == 0;
        const bool matchCase = maker.below(2) == 0;
        EXPECT_EQ(SearchFromSelection(text, sel, what, forward, matchCase),
                  literalSearch(text, sel, what, forward, matchCase));

        for (const auto command : {&TagNavigator::findNextTag, &TagNavigator::findPreviousTag,
                                   &TagNavigator::findNextUntagged, &TagNavigator::findPreviousUntagged}) {
            TagSearchResult result = (fresh.*command)(text, sel);
            for (int posts = 0; result.kind == TagSearchResult::Kind::SearchOn && posts <= len; ++posts) {
                for (int i = result.selection.start; i < result.selection.end; ++i)
                    EXPECT_TRUE(isAsciiBlank(text[static_cast<std::size_t>(i)]));
                result = (fresh.*command)(text, result.selection);
            }
            ASSERT_NE(result.kind, TagSearchResult::Kind::SearchOn) << "a re-posted search made no progress";
            if (result.kind != TagSearchResult::Kind::Found) {
                EXPECT_TRUE(result.wrap.caret == 0 || result.wrap.caret == len);
                continue;
            }
            const Selection found = result.selection;
            ASSERT_TRUE(0 <= found.start && found.start <= found.end && found.end <= len);
            const std::string_view range = std::string_view(text).substr(
                static_cast<std::size_t>(found.start), static_cast<std::size_t>(found.end - found.start));
            if (command == &TagNavigator::findNextTag || command == &TagNavigator::findPreviousTag) {
                ASSERT_GE(range.size(), 2u);
                // A tag, or a template marker.
                EXPECT_TRUE((range.front() == '<' && range.back() == '>') || (range.front() == '{' && range.back() == '}'))
                    << range;
                // Each Find Tag command finds the tag the other one found, from its far side.
                EXPECT_EQ(fresh.findNextTag(text, {found.start, found.start}).selection, found);
                EXPECT_EQ(fresh.findPreviousTag(text, {found.end, found.end}).selection, found);
            } else {
                ASSERT_FALSE(range.empty());
                // The stretch runs from a tag's '>' to the next tag's '<' (a
                // template marker's '}' and '{'), and holds more than blanks.
                const std::string_view before = std::string_view(text).substr(0, static_cast<std::size_t>(found.start));
                const std::string_view after = std::string_view(text).substr(static_cast<std::size_t>(found.end));
                EXPECT_NE(std::string_view(">}").find(before[before.find_last_not_of("\t\r\n")]), std::string_view::npos);
                EXPECT_NE(std::string_view("<{").find(after[after.find_first_not_of("\t\r\n")]), std::string_view::npos);
                EXPECT_FALSE(std::all_of(range.begin(), range.end(), isAsciiBlank));
                EXPECT_FALSE(isTabOrLineBreak(range.front()) || isTabOrLineBreak(range.back()));
            }
        }

        const MatchingTagsResult match = fresh.selectMatchingTags(text, sel);
        if (match.selection && !(match.beep && *match.selection == sel)) {
            const Selection element = *match.selection;
            ASSERT_TRUE(0 <= element.start && element.start < element.end && element.end <= len);
            EXPECT_EQ(text[static_cast<std::size_t>(element.start)], '<');
            EXPECT_EQ(text[static_cast<std::size_t>(element.end - 1)], '>');
        }
    }
}

// In a text without a missing delimiter, Find Next Tag steps from the top
// through exactly the tags the formatter's scan finds.
void checkTagsAgreeWithTheScan(const TagNavigator& navigator, const std::string& text) {
    const TagScanResult scan = scanTags(text);
    if (scan.error) return;
    std::vector<Selection> scanned;
    for (const TagSpan& tag : scan.tags)
        if (tag.closed) scanned.push_back({tag.start, tag.end + 1});
    std::vector<Selection> stepped;
    Selection sel{0, 0};
    for (TagSearchResult result = navigator.findNextTag(text, sel); result.kind == TagSearchResult::Kind::Found;
         result = navigator.findNextTag(text, sel)) {
        sel = result.selection;
        stepped.push_back(sel);
    }
    EXPECT_EQ(stepped, scanned);
}

void checkFormatter(const std::string& text) {
    const HtmlFormatResult result = HtmlFormatter().format(text);
    const int len = static_cast<int>(text.size());
    switch (result.outcome) {
    case HtmlFormatResult::Outcome::Formatted: {
        EXPECT_EQ(foldedNonBlank(result.text), foldedNonBlank(text));
        // Every tag comes through whole, in order, apart from the case of its name.
        const std::string copy = normalizedHtmlCopy(text);
        TagScanResult before = scanTags(copy);
        const TagScanResult after = scanTags(result.text);
        ASSERT_FALSE(after.error);
        // Every line ends with CR LF, unless the text ends in content or a PHP block left open.
        const bool endsOpen = !after.tags.empty() && (!after.tags.back().closed ||
                                                      after.tags.back().content != ElementContent::None);
        if (!result.text.empty() && !endsOpen) {
            EXPECT_EQ(result.text.substr(result.text.size() - 2), "\r\n");
        }
        ASSERT_EQ(after.tags.size(), before.tags.size());
        for (std::size_t i = 0; i < before.tags.size(); ++i) {
            const auto tagText = [](std::string_view in, const TagSpan& tag) {
                return in.substr(static_cast<std::size_t>(tag.start),
                                 static_cast<std::size_t>(tag.end - tag.start + 1));
            };
            const std::string_view was = tagText(copy, before.tags[i]);
            const std::string_view now = tagText(result.text, after.tags[i]);
            if (before.tags[i].kind != TagSpan::Kind::Element)
                EXPECT_EQ(now, was);
            else
                EXPECT_TRUE(equalsIgnoringAsciiCase(now, was)) << was << " became " << now;
        }
        // The linear depth effects agree with the search of the rest of the text.
        takeCensus(copy, before.tags, before.comments);
        std::vector<int> effects;
        for (const TagSpan& tag : before.tags) effects.push_back(tag.depthEffect);
        EXPECT_EQ(effects, literalDepthEffects(copy, before.tags));
        break;
    }
    case HtmlFormatResult::Outcome::MissingDelimiter: {
        const Selection sel = result.selection;
        ASSERT_TRUE(0 <= sel.start && sel.start < sel.end && sel.end <= len);
        ASSERT_TRUE(result.message);
        // The stretch ends with the bracket that was counted: a '<' when a '>'
        // is missing (or it runs from a '<' to the end), a '>' when a '<' is.
        const std::size_t quote = result.message->text.find("missing '");
        ASSERT_NE(quote, std::string::npos);
        const char missing = result.message->text[quote + 9];
        const char last = text[static_cast<std::size_t>(sel.end - 1)];
        if (missing == '<')
            EXPECT_EQ(last, '>');
        else
            EXPECT_TRUE(last == '<' || (sel.end == len && text[static_cast<std::size_t>(sel.start)] == '<'));
        break;
    }
    case HtmlFormatResult::Outcome::OutOfMemory:
        ASSERT_TRUE(result.message);
        break;
    }
}

void checkTextTools(TextMaker& maker, const std::string& text) {
    const Selection sel = maker.selectionIn(text);
    const std::size_t inputSize = sel.empty() ? text.size() : static_cast<std::size_t>(sel.end - sel.start);
    for (const TextTool tool : {TextTool::HtmlRemoveWhitespace, TextTool::CssRemoveWhitespace, TextTool::CssFormat}) {
        const TextToolResult result = runTextTool(tool, text, sel);
        if (text.empty()) {
            EXPECT_EQ(result.kind, TextToolResult::Kind::Unchanged);
            continue;
        }
        const std::string& out = result.text;
        const std::string input = sel.empty() ? text : text.substr(static_cast<std::size_t>(sel.start), inputSize);
        const auto lineBreaksAndTabs = [](std::string_view bytes) {
            return std::count_if(bytes.begin(), bytes.end(), [](char c) { return isTabOrLineBreak(c); });
        };
        if (tool == TextTool::HtmlRemoveWhitespace) {
            EXPECT_LE(out.size(), inputSize + 2);
            EXPECT_EQ(out.find_first_of("\t\r"), std::string::npos);
        } else {
            // Only blanks come and go; the CSS comments, strings and urls keep theirs.
            std::string kept;
            for (const char c : input)
                if (!isBlankByte(c)) kept += c;
            std::string keptOut;
            for (const char c : out)
                if (!isBlankByte(c)) keptOut += c;
            EXPECT_EQ(keptOut, kept);
            if (tool == TextTool::CssFormat) {
                EXPECT_LE(out.size(), 5 * inputSize);
            } else {
                EXPECT_LE(out.size(), inputSize + 2);
                long long inStretches = 0;
                forEachCssPiece(
                    input, [](std::size_t, std::size_t) {},
                    [&](std::size_t begin, std::size_t end) {
                        inStretches += lineBreaksAndTabs(std::string_view(input).substr(begin, end - begin));
                    });
                const std::string body =
                    out.size() >= 2 && out.substr(out.size() - 2) == "\r\n" ? out.substr(0, out.size() - 2) : out;
                EXPECT_LE(lineBreaksAndTabs(body), inStretches);
            }
        }
        if (result.kind == TextToolResult::Kind::ReplaceSelection) {
            EXPECT_EQ(result.selection, (Selection{sel.start, sel.start + static_cast<int>(out.size())}));
        }
    }
}

void checkEverything(TextMaker& maker, TagNavigator& cached, const std::string& text) {
    checkNavigation(maker, cached, text);
    checkTagsAgreeWithTheScan(cached, text);
    checkFormatter(text);
    checkTextTools(maker, text);
}

std::vector<std::string> goldenInputs() {
    std::vector<std::string> inputs;
    const fs::path golden = fs::path(TAGLOOM_SOURCE_DIR) / "tests" / "html" / "golden";
    for (const fs::directory_entry& entry : fs::directory_iterator(golden)) {
        std::ifstream in(entry.path() / "input.html", std::ios::binary);
        if (in) inputs.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    return inputs;
}

TEST(HtmlRobustness, randomBytesAndTagSoupKeepEveryPromise) {
    TextMaker maker(20240601);
    TagNavigator cached;
    for (int i = 0; i < 1500; ++i) {
        const std::string text =
            i % 3 == 0 ? maker.randomBytes(maker.below(300)) : maker.tagSoup(maker.below(120), i % 3 == 1);
        checkEverything(maker, cached, text);
        if (HasFatalFailure()) return;
    }
}

TEST(HtmlRobustness, mutatedPagesKeepEveryPromise) {
    TextMaker maker(7);
    TagNavigator cached;
    const std::vector<std::string> pages = goldenInputs();
    ASSERT_FALSE(pages.empty());
    for (int i = 0; i < 1500; ++i) {
        const std::string& page = pages[static_cast<std::size_t>(i) % pages.size()];
        // Windows of the large page keep each check fast.
        const std::size_t from =
            page.size() > 3000 ? static_cast<std::size_t>(maker.below(static_cast<int>(page.size()) - 3000)) : 0;
        const std::string text = maker.mutated(page.substr(from, 3000), 1 + maker.below(8));
        checkEverything(maker, cached, text);
        if (HasFatalFailure()) return;
    }
}

TEST(HtmlRobustness, deepNestingLongNamesAndUnbalancedDelimitersKeepEveryPromise) {
    TextMaker maker(99);
    TagNavigator cached;
    std::vector<std::string> texts;
    for (int i = 0; i < 20; ++i) texts.push_back(maker.deepNesting(100 + maker.below(3000)));
    for (int i = 0; i < 20; ++i) texts.push_back(maker.longNames());
    for (int i = 0; i < 500; ++i) {
        std::string text;
        for (int n = maker.below(200); n > 0; --n) text += "<<>>ab/ -!"[maker.below(10)];
        texts.push_back(text);
    }
    texts.push_back(std::string(5000, '<'));
    texts.push_back(std::string(5000, '>'));
    texts.push_back("<html>" + std::string(5000, '/') + "></html>");
    texts.push_back("<html><!--" + std::string(3000, '-') + "</html>");
    for (const std::string& text : texts) {
        checkEverything(maker, cached, text);
        if (HasFatalFailure()) return;
    }
}

}  // namespace
}  // namespace tagloom

#pragma once
// Small sets of ASCII words the lexer looks identifiers up in, fast enough to
// ask for every identifier of a large text: most are turned away by their
// first letter and length alone.
#include <array>
#include <cstdint>
#include <initializer_list>
#include <string_view>
#include <vector>

namespace tagloom {

class KeywordSet {
public:
    // Lower-case ASCII words of at most kLongest bytes.
    KeywordSet(std::initializer_list<std::string_view> words);

    bool contains(std::string_view word) const {
        // Most words are turned away by their first letter and length.
        if (word.empty() || word.size() > kLongest || word[0] < 'a' || word[0] > 'z') return false;
        const int letter = word[0] - 'a';
        return (lengths_[letter] >> word.size() & 1) && listed(letter, word);
    }
    bool containsIgnoringCase(std::string_view word) const;

    static constexpr std::size_t kLongest = 15;

private:
    bool listed(int letter, std::string_view word) const;

    // By first letter: a bit for each length a word has, and the words.
    std::array<std::uint16_t, 26> lengths_{};
    std::array<std::vector<std::string_view>, 26> words_;
};

// JavaScript's reserved words with true, false, null, undefined and this.
const KeywordSet& javaScriptKeywords();
// Those after which a '/' starts a regular expression (return, typeof, ...).
const KeywordSet& javaScriptOperatorKeywords();
// PHP's keywords and its constants true, false and null (any case).
const KeywordSet& phpKeywords();
// At-rules whose block holds rules, not declarations (@media, ...).
const KeywordSet& cssGroupingRules();

// Whether a script element's type attribute (value as written) makes its
// content JavaScript: empty, "module" or a JavaScript MIME type, ASCII case
// and surrounding blanks ignored.
bool isJavaScriptType(std::string_view type);

}  // namespace tagloom

#include "syntax/Keywords.h"

#include "textmodel/AsciiText.h"

#include <algorithm>

namespace tagloom {

KeywordSet::KeywordSet(std::initializer_list<std::string_view> words) {
    for (std::string_view word : words) {
        const int letter = word[0] - 'a';
        lengths_[letter] |= static_cast<std::uint16_t>(1u << word.size());
        words_[letter].push_back(word);
    }
}

bool KeywordSet::listed(int letter, std::string_view word) const {
    const std::vector<std::string_view>& candidates = words_[letter];
    return std::find(candidates.begin(), candidates.end(), word) != candidates.end();
}

bool KeywordSet::containsIgnoringCase(std::string_view word) const {
    if (word.empty() || word.size() > kLongest) return false;
    std::array<char, kLongest> lower;
    std::transform(word.begin(), word.end(), lower.begin(), toLowerAscii);
    return contains(std::string_view(lower.data(), word.size()));
}

const KeywordSet& javaScriptKeywords() {
    static const KeywordSet set = {
        "async",      "await",     "break",   "case",      "catch",     "class",  "const",  "continue",
        "debugger",   "default",   "delete",  "do",        "else",      "enum",   "export", "extends",
        "false",      "finally",   "for",     "function",  "if",        "implements", "import", "in",
        "instanceof", "interface", "let",     "new",       "null",      "package", "private", "protected",
        "public",     "return",    "static",  "super",     "switch",    "this",   "throw",  "true",
        "try",        "typeof",    "undefined", "var",     "void",      "while",  "with",   "yield",
    };
    return set;
}

const KeywordSet& javaScriptOperatorKeywords() {
    static const KeywordSet set = {"await", "case", "delete", "do",   "else",   "in",   "instanceof",
                                   "new",   "return", "throw", "typeof", "void", "yield"};
    return set;
}

const KeywordSet& phpKeywords() {
    static const KeywordSet set = {
        "abstract",   "and",          "array",      "as",         "break",      "callable",     "case",
        "catch",      "class",        "clone",      "const",      "continue",   "declare",      "default",
        "die",        "do",           "echo",       "else",       "elseif",     "empty",        "enddeclare",
        "endfor",     "endforeach",   "endif",      "endswitch",  "endwhile",   "enum",         "eval",
        "exit",       "extends",      "false",      "final",      "finally",    "fn",           "for",
        "foreach",    "function",     "global",     "goto",       "if",         "implements",   "include",
        "include_once", "instanceof", "insteadof",  "interface",  "isset",      "list",         "match",
        "namespace",  "new",          "null",       "or",         "parent",     "print",        "private",
        "protected",  "public",       "readonly",   "require",    "require_once", "return",     "self",
        "static",     "switch",       "throw",      "trait",      "true",       "try",          "unset",
        "use",        "var",          "while",      "xor",        "yield",
    };
    return set;
}

const KeywordSet& cssGroupingRules() {
    static const KeywordSet set = {"media", "supports", "document", "container", "layer", "scope",
                                   "starting-style", "keyframes"};
    return set;
}

bool isJavaScriptType(std::string_view type) {
    static constexpr std::array<std::string_view, 18> kTypes = {
        "",
        "module",
        "application/ecmascript",
        "application/javascript",
        "application/x-ecmascript",
        "application/x-javascript",
        "text/ecmascript",
        "text/javascript",
        "text/javascript1.0",
        "text/javascript1.1",
        "text/javascript1.2",
        "text/javascript1.3",
        "text/javascript1.4",
        "text/javascript1.5",
        "text/jscript",
        "text/livescript",
        "text/x-ecmascript",
        "text/x-javascript",
    };
    while (!type.empty() && isTypedBlank(type.front())) type.remove_prefix(1);
    while (!type.empty() && isTypedBlank(type.back())) type.remove_suffix(1);
    return std::any_of(kTypes.begin(), kTypes.end(),
                       [&](std::string_view known) { return equalsIgnoringAsciiCase(type, known); });
}

}  // namespace tagloom

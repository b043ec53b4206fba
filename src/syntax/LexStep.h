#pragma once
// The lexer's reading of one line, shared by the files of its languages:
// SyntaxLexer.cpp (the dispatch and the server code laid over a page),
// HtmlLexing.cpp, PhpLexing.cpp, JsLexing.cpp and CssLexing.cpp.
#include "syntax/SyntaxLexer.h"
#include "textmodel/AsciiText.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string_view>

namespace tagloom {

// The byte tests and tables of the lexer.
namespace lexing {

// What each byte can be, as bits of one table.
enum ByteClass : std::uint8_t {
    kDigitByte = 1,
    kHexByte = 2,
    kLetterByte = 4,  // ASCII letters, and the bytes of UTF-8 sequences
    kBlankByte = 8,
    kAsciiLetterByte = 16,
};

inline constexpr std::array<std::uint8_t, 256> kByteClasses = [] {
    std::array<std::uint8_t, 256> table{};
    for (int c = 0; c < 256; ++c) {
        std::uint8_t bits = 0;
        if (c >= '0' && c <= '9') bits |= kDigitByte | kHexByte;
        if ((c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F')) bits |= kHexByte;
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')) bits |= kLetterByte | kAsciiLetterByte;
        if (c >= 0x80) bits |= kLetterByte;
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f') bits |= kBlankByte;
        table[c] = bits;
    }
    return table;
}();

constexpr bool is(char c, std::uint8_t bits) { return kByteClasses[static_cast<unsigned char>(c)] & bits; }
constexpr bool isDigit(char c) { return is(c, kDigitByte); }
constexpr bool isHexDigit(char c) { return is(c, kHexByte); }
constexpr bool isBlank(char c) { return is(c, kBlankByte); }
constexpr bool isLetter(char c) { return is(c, kAsciiLetterByte); }
constexpr bool isAlnum(char c) { return is(c, kAsciiLetterByte | kDigitByte); }

// Identifiers: bytes of UTF-8 sequences count as letters.
constexpr bool isJsIdentStart(char c) { return is(c, kLetterByte) || c == '_' || c == '$'; }
constexpr bool isJsIdent(char c) { return is(c, kLetterByte | kDigitByte) || c == '_' || c == '$'; }
constexpr bool isPhpIdentStart(char c) { return is(c, kLetterByte) || c == '_'; }
constexpr bool isPhpIdent(char c) { return is(c, kLetterByte | kDigitByte) || c == '_'; }
constexpr bool isCssIdentStart(char c) { return is(c, kLetterByte) || c == '_' || c == '-'; }
constexpr bool isCssIdent(char c) { return is(c, kLetterByte | kDigitByte) || c == '_' || c == '-'; }

// A byte table: true for the bytes that end a stretch of one kind.
constexpr std::array<bool, 256> stopsAt(std::string_view bytes) {
    std::array<bool, 256> table{};
    for (char c : bytes) table[static_cast<unsigned char>(c)] = true;
    return table;
}
inline constexpr auto kTextStops = stopsAt("<&{");
inline constexpr auto kBetweenAttributeStops = stopsAt(" \t\r\n\f\v/>=<");
// Punctuation that is plain text and changes nothing, with the blanks: read
// as one run.
inline constexpr auto kJsPunctuation = stopsAt(" \t\r\n\f\v=+-*%&|^!~?:,;()[]>");
inline constexpr auto kCssPunctuation = stopsAt(" \t\r\n\f\v,>~()*=[]|^$");

inline bool stops(const std::array<bool, 256>& table, char c) { return table[static_cast<unsigned char>(c)]; }

}  // namespace lexing

// One pass of the lexer over a line: each step reads one token (or a
// stretch of one) and moves the position past it. The readers of single
// tokens are inlined into the loops that call them, once a token.
class LexStep {
public:
    using Style = StyleClass;

    LexStep(LineLexer& lexer, std::string_view line, RunCollector* runs)
        : lx_(lexer), st_(lexer.state_), p_(lexer.pos_), line_(line), n_(line.size()), runs_(runs) {}

    void run(std::size_t limit) {
        end_ = std::min(limit, n_);
        while (p_ < end_) step();
    }

private:
    // The byte at i, or NUL past the end (never tested for as such).
    char at(std::size_t i) const { return i < n_ ? line_[i] : '\0'; }
    // Where the escape that a backslash at i begins ends: length bytes on,
    // or right after the backslash when a '<' follows, which is read as
    // itself: it may end a script or style as the mark-up reader ends it.
    std::size_t escapeEnd(std::size_t i, std::size_t length) const { return at(i + 1) == '<' ? i + 1 : i + length; }
    // Hands the bytes up to end on as one class and moves past them.
    [[gnu::always_inline]] void take(std::size_t end, Style style) {
        end = std::min(end, n_);
        if (runs_) runs_->add(p_, end, style);
        p_ = end;
    }
    template <class Pred>
    std::size_t skip(std::size_t i, Pred pred) const {
        while (i < n_ && pred(line_[i])) ++i;
        return i;
    }
    std::size_t blanksEnd(std::size_t i) const { return skip(i, lexing::isBlank); }
    // Whether the next token may be read without the checks of step():
    // the run goes on, and no '<' (which may end content or open PHP) is next.
    bool moreTokens() const { return p_ < end_ && line_[p_] != '<'; }

    void step();
    bool inContent() const;
    bool closesContent() const;
    void openPhp();
    void island();
    void marker(char close0, char close1);
    void html();

    // ---- HTML ----
    void markup();
    void textarea();
    [[gnu::always_inline]] inline void textToken(bool tags);
    void angle();
    void tagName(bool opening);
    [[gnu::always_inline]] inline void tag();
    [[gnu::always_inline]] inline void between();
    [[gnu::always_inline]] inline void afterEquals();
    void openValue(char quote);
    [[gnu::always_inline]] inline void quotedValue();
    void closeValue();
    void closeTag();
    void resetTag();
    char quoteChar() const { return st_.singleQuote ? '\'' : '"'; }
    void comment();
    void declaration();
    void entityOr(Style fallback);
    // "<%" or a template marker at p_, opened; false when none opens here.
    bool openServerCode();
    bool openMarker();

    // ---- PHP ----
    void phpCode();
    [[gnu::always_inline]] inline void phpCodeToken();
    bool heredocOpener();
    void heredoc(bool interpolating);
    void phpString(char quote, bool interpolating);
    void phpBlockComment();
    void phpLineComment();
    std::size_t lineIndent();

    // ---- JavaScript ----
    void js();
    void jsCode();
    [[gnu::always_inline]] inline void jsCodeToken();
    void jsString(char quote);
    void jsTemplate();
    void jsRegex();
    void endOfJsToken(Style style, std::size_t end);
    std::size_t numberEnd(std::size_t i) const;

    // ---- CSS ----
    void css();
    void cssCode(int term);
    [[gnu::always_inline]] inline void cssCodeToken(int term);
    void cssString(char quote, int term);
    void cssComment(int term);
    void cssUrl(std::size_t paren, int term);
    bool cssInline() const { return st_.language == SyntaxLanguage::Html && st_.html == HtmlMode::Tag; }
    bool cssInDeclarations() const;
    void openCssBlock();
    void closeCssBlock();
    std::size_t cssNumberEnd(std::size_t i) const;

    // The CSS part back to its defaults, when a style sheet or attribute ends.
    void resetCss() {
        const LexState defaults;
        st_.cssToken = defaults.cssToken;
        st_.cssValue = defaults.cssValue;
        st_.cssGrouping = defaults.cssGrouping;
        st_.cssDepth = defaults.cssDepth;
        st_.cssDeclarationLevels = defaults.cssDeclarationLevels;
    }

    LineLexer& lx_;
    LexState& st_;
    std::size_t& p_;
    const std::string_view line_;
    const std::size_t n_;
    RunCollector* const runs_;
    std::size_t end_ = 0;  // where this run stops: the limit or the line's end
};

}  // namespace tagloom

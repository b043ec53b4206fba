#include "search/TextMatcher.h"

#include <QChar>
#include <algorithm>
#include <array>
#include <cstring>

#include "textmodel/TextUnit.h"

namespace tagloom {

namespace {

// Each byte's folded form: ASCII letters to small letters, and in
// Windows-1252 its own capitals too.
using FoldTable = std::array<unsigned char, 256>;

FoldTable makeFoldTable(TextEncoding encoding) {
    FoldTable table{};
    for (int b = 0; b < 256; ++b) table[b] = static_cast<unsigned char>(b);
    for (int b = 'A'; b <= 'Z'; ++b) table[b] = static_cast<unsigned char>(b - 'A' + 'a');
    if (encoding == TextEncoding::Windows1252) {
        for (int b = 0xC0; b <= 0xDE; ++b)
            if (b != 0xD7) table[b] = static_cast<unsigned char>(b + 0x20);
        table[0x8A] = 0x9A;  // S caron
        table[0x8C] = 0x9C;  // OE
        table[0x8E] = 0x9E;  // Z caron
        table[0x9F] = 0xFF;  // Y diaeresis
    }
    return table;
}

const FoldTable& foldTable(TextEncoding encoding) {
    static const FoldTable utf8 = makeFoldTable(TextEncoding::Utf8);
    static const FoldTable latin = makeFoldTable(TextEncoding::Windows1252);
    return encoding == TextEncoding::Utf8 ? utf8 : latin;
}

bool isAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

bool isContinuationByte(unsigned char b) { return (b & 0xC0) == 0x80; }

TextUnit unitAt(std::string_view text, std::size_t at) {
    return decodeUnit(reinterpret_cast<const unsigned char*>(text.data()) + at,
                      static_cast<int>(std::min<std::size_t>(text.size() - at, 4)));
}

// ASCII folds within ASCII; any other character by its simple Unicode
// folding, unless that would make it ASCII.
char32_t folded(char32_t c) {
    if (c < 0x80) return c >= 'A' && c <= 'Z' ? c + 32 : c;
    const char32_t fold = QChar::toCaseFolded(c);
    return fold < 0x80 ? c : fold;
}

}  // namespace

TextMatcher::TextMatcher(std::string_view what, bool matchCase, TextEncoding encoding)
    : what_(what), encoding_(encoding) {
    if (what_.empty() || matchCase) return;
    if (encoding == TextEncoding::Utf8 && !isAscii(what_)) {
        mode_ = Mode::CharacterFold;
        for (std::size_t i = 0; i < what_.size();) {
            const TextUnit unit = unitAt(what_, i);
            folded_ += folded(unit.codePoint);
            i += static_cast<std::size_t>(unit.length);
        }
        return;
    }
    mode_ = Mode::ByteFold;
    const FoldTable& fold = foldTable(encoding);
    for (auto& c : what_) c = static_cast<char>(fold[static_cast<unsigned char>(c)]);
    for (int b = 0; b < 256; ++b)
        if (fold[b] == static_cast<unsigned char>(what_.front())) firstBytes_.push_back(static_cast<unsigned char>(b));
}

std::size_t TextMatcher::longestMatch() const {
    return mode_ == Mode::CharacterFold ? folded_.size() * 4 : what_.size();
}

std::size_t TextMatcher::matchAt(std::string_view text, std::size_t at) const {
    if (what_.empty() || at >= text.size()) return 0;
    switch (mode_) {
    case Mode::Exact:
        return text.size() - at >= what_.size() && text.compare(at, what_.size(), what_) == 0 ? what_.size() : 0;
    case Mode::ByteFold: {
        if (text.size() - at < what_.size()) return 0;
        const FoldTable& fold = foldTable(encoding_);
        for (std::size_t i = 0; i < what_.size(); ++i)
            if (fold[static_cast<unsigned char>(text[at + i])] != static_cast<unsigned char>(what_[i])) return 0;
        return what_.size();
    }
    case Mode::CharacterFold: return characterMatchAt(text, at);
    }
    return 0;
}

std::size_t TextMatcher::characterMatchAt(std::string_view text, std::size_t at) const {
    if (isContinuationByte(static_cast<unsigned char>(text[at]))) return 0;
    std::size_t i = at;
    for (const char32_t wanted : folded_) {
        if (i >= text.size()) return 0;
        const TextUnit unit = unitAt(text, i);
        const char32_t c = unit.kind == UnitKind::Text ? unit.codePoint : static_cast<unsigned char>(text[i]);
        if (folded(c) != wanted) return 0;
        i += static_cast<std::size_t>(unit.length);
    }
    return i - at;
}

// Where each byte that may begin an occurrence next stands: an exact search
// has one such byte, a byte fold up to two (a letter's two cases). Each is
// looked for with memchr, and where it was found is kept until the search
// has passed it, so every byte of the text is looked at once per variant.
class TextMatcher::Candidates {
public:
    Candidates(const TextMatcher& matcher, std::string_view text) : text_(text) {
        if (matcher.mode_ == Mode::Exact) bytes_.push_back(static_cast<unsigned char>(matcher.what_.front()));
        if (matcher.mode_ == Mode::ByteFold) bytes_ = matcher.firstBytes_;
        next_.assign(bytes_.size(), kUnknown);
        clearTo_.assign(bytes_.size(), 0);
        everyByte_ = bytes_.empty();
    }
    // The first place at or after `from` where an occurrence may start. The
    // bytes not yet found are looked for in windows that double, and never
    // past the nearest one known, so a case that is rare or absent costs a
    // scan only as far as the next place where the other case stands.
    std::size_t from(std::size_t from) {
        if (everyByte_ || from >= text_.size()) return std::min(from, text_.size());
        std::size_t nearest = text_.size();
        for (std::size_t i = 0; i < bytes_.size(); ++i) {
            if (next_[i] != kUnknown && next_[i] < from) next_[i] = kUnknown;
            if (next_[i] != kUnknown) nearest = std::min(nearest, next_[i]);
        }
        for (std::size_t reach = from, window = kFirstWindow; reach < nearest; window *= 2) {
            reach = std::min(nearest, reach + window);
            for (std::size_t i = 0; i < bytes_.size(); ++i) {
                const std::size_t start = std::max(from, clearTo_[i]);
                if (next_[i] != kUnknown || start >= reach) continue;
                if (const void* hit = std::memchr(text_.data() + start, bytes_[i], reach - start)) {
                    next_[i] = static_cast<std::size_t>(static_cast<const char*>(hit) - text_.data());
                    nearest = std::min(nearest, next_[i]);
                } else {
                    clearTo_[i] = reach;  // none of this byte before there
                }
            }
        }
        return nearest;
    }

private:
    static constexpr std::size_t kUnknown = static_cast<std::size_t>(-1);
    static constexpr std::size_t kFirstWindow = 4096;
    std::string_view text_;
    std::vector<unsigned char> bytes_;
    std::vector<std::size_t> next_;
    std::vector<std::size_t> clearTo_;
    bool everyByte_ = false;
};

std::optional<TextMatch> TextMatcher::findFirst(std::string_view text, std::size_t from, std::size_t lastStart) const {
    if (what_.empty()) return std::nullopt;
    lastStart = std::min(lastStart, text.empty() ? 0 : text.size() - 1);
    Candidates candidates(*this, text);
    for (std::size_t at = candidates.from(from); at <= lastStart && at < text.size(); at = candidates.from(at + 1))
        if (const std::size_t length = matchAt(text, at)) return TextMatch{at, length};
    return std::nullopt;
}

void TextMatcher::forEach(std::string_view text, const std::function<void(const TextMatch&)>& onMatch) const {
    if (what_.empty()) return;
    Candidates candidates(*this, text);
    for (std::size_t at = candidates.from(0); at < text.size(); at = candidates.from(at + 1))
        if (const std::size_t length = matchAt(text, at)) onMatch(TextMatch{at, length});
}

std::optional<TextMatch> TextMatcher::findLast(std::string_view text, std::size_t from) const {
    if (what_.empty() || text.empty()) return std::nullopt;
    const FoldTable& fold = foldTable(encoding_);
    const auto first = static_cast<unsigned char>(what_.front());
    for (std::size_t at = std::min(from, text.size() - 1) + 1; at-- > 0;) {
        const auto b = static_cast<unsigned char>(text[at]);
        const bool mayStart = mode_ == Mode::Exact ? b == first : mode_ == Mode::ByteFold ? fold[b] == first : true;
        if (!mayStart) continue;
        if (const std::size_t length = matchAt(text, at)) return TextMatch{at, length};
    }
    return std::nullopt;
}

}  // namespace tagloom

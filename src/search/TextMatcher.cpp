#include "search/TextMatcher.h"

#include <QChar>
#include <algorithm>
#include <array>
#include <bit>
#include <cassert>
#include <cstring>

#include "textmodel/ByteScan.h"
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
    noteStartBytes();
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
    noteStartBytes();
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

// Where an occurrence may start: a place whose byte is one of those that
// fold to the find text's first, followed by one that folds to its second
// (a letter's two cases, or one byte twice). Sixteen places are tested at a
// time, so the text is read once at memory speed and a byte that is common
// alone (an "f" in a page) seldom stops the scan. A character fold may start
// anywhere.
class TextMatcher::Candidates {
public:
    Candidates(const TextMatcher& matcher, std::string_view text) : text_(text) {
        everyByte_ = matcher.mode_ == Mode::CharacterFold;
        if (everyByte_) return;
        first_ = matcher.startBytes_[0];
        second_ = matcher.startBytes_[1];
        pair_ = matcher.what_.size() > 1;
    }
    // The first place in [from, last] where an occurrence may start, or the
    // text's size when there is none.
    std::size_t from(std::size_t from, std::size_t last) const {
        const std::size_t size = text_.size();
        last = std::min(last, size == 0 ? 0 : size - 1);
        if (everyByte_ || from >= size) return std::min(from, size);
        const char* data = text_.data();
        std::size_t i = from;
#ifdef __SSE2__
        const auto either = [](__m128i bytes, const Variants& v) {
            return bytescan::marked16(bytes, static_cast<char>(v[0])) | bytescan::marked16(bytes, static_cast<char>(v[1]));
        };
        for (; i <= last && i + 17 <= size; i += 16) {
            unsigned starts = either(bytescan::load16(data + i), first_);
            if (starts != 0 && pair_) starts &= either(bytescan::load16(data + i + 1), second_);
            if (starts != 0) {
                const std::size_t at = i + static_cast<std::size_t>(std::countr_zero(starts));
                return at <= last ? at : size;
            }
        }
#endif
        for (; i <= last; ++i)
            if (mayStart(i)) return i;
        return size;
    }

private:
    static bool among(const Variants& v, char c) {
        const auto b = static_cast<unsigned char>(c);
        return b == v[0] || b == v[1];
    }
    bool mayStart(std::size_t at) const {
        if (!among(first_, text_[at])) return false;
        return !pair_ || (at + 1 < text_.size() && among(second_, text_[at + 1]));
    }

    std::string_view text_;
    bool everyByte_ = false;
    bool pair_ = false;
    Variants first_{};
    Variants second_{};
};

void TextMatcher::noteStartBytes() {
    for (std::size_t i = 0; i < startBytes_.size(); ++i)
        startBytes_[i] = i < what_.size() ? variants(i) : startBytes_[0];
}

TextMatcher::Variants TextMatcher::variants(std::size_t i) const {
    const auto wanted = static_cast<unsigned char>(what_[i]);
    Variants found{wanted, wanted};
    if (mode_ != Mode::ByteFold) return found;
    const FoldTable& fold = foldTable(encoding_);
    int n = 0;
    for (int b = 0; b < 256; ++b)
        if (fold[b] == wanted) found[std::min(n++, 1)] = static_cast<unsigned char>(b);
    // Each folded byte stands for itself and at most one other case.
    assert(n >= 1 && n <= 2);
    if (n == 1) found[1] = found[0];
    return found;
}

std::optional<TextMatch> TextMatcher::findFirst(std::string_view text, std::size_t from, std::size_t lastStart) const {
    if (what_.empty()) return std::nullopt;
    lastStart = std::min(lastStart, text.empty() ? 0 : text.size() - 1);
    const Candidates candidates(*this, text);
    for (std::size_t at = candidates.from(from, lastStart); at <= lastStart && at < text.size();
         at = candidates.from(at + 1, lastStart))
        if (const std::size_t length = matchAt(text, at)) return TextMatch{at, length};
    return std::nullopt;
}

void TextMatcher::forEach(std::string_view text, const std::function<void(const TextMatch&)>& onMatch) const {
    if (what_.empty()) return;
    const Candidates candidates(*this, text);
    for (std::size_t at = candidates.from(0, text.size()); at < text.size(); at = candidates.from(at + 1, text.size()))
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

#pragma once
// How a find text is compared with the document's text. With Match Case the
// bytes must be equal. Without it ASCII letters match either case; in a
// document in UTF-8 letters outside ASCII compare by their simple Unicode
// case folding, and an occurrence never starts or ends inside a character's
// bytes; in a document in Windows-1252 its letters fold as that code page
// folds them. A character outside ASCII never matches an ASCII one (the
// Kelvin sign and the long s stay apart from k and s), so an ASCII find text
// is always found by a byte scan.
#include <array>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "textmodel/TextEncoding.h"

namespace tagloom {

struct TextMatch {
    std::size_t start = 0;
    std::size_t length = 0;
    bool operator==(const TextMatch&) const = default;
};

class TextMatcher {
public:
    // `what` is in the document's encoding; an empty text matches nowhere.
    TextMatcher(std::string_view what, bool matchCase, TextEncoding encoding);

    bool empty() const { return what_.empty(); }
    // The most bytes an occurrence can take in the text.
    std::size_t longestMatch() const;
    // The length of the occurrence that starts at `at`, or 0 when none does.
    std::size_t matchAt(std::string_view text, std::size_t at) const;
    // The first occurrence that starts at or after `from` and at or before `lastStart`.
    std::optional<TextMatch> findFirst(std::string_view text, std::size_t from, std::size_t lastStart) const;
    // Every occurrence, overlapping ones too, in the order they start.
    void forEach(std::string_view text, const std::function<void(const TextMatch&)>& onMatch) const;
    // The last occurrence that starts at or before `from`.
    std::optional<TextMatch> findLast(std::string_view text, std::size_t from) const;

private:
    enum class Mode { Exact, ByteFold, CharacterFold };

    class Candidates;
    // The bytes that fold to the find text's byte i, one of them twice when it has no other case.
    using Variants = std::array<unsigned char, 2>;
    Variants variants(std::size_t i) const;
    // The variants of the find text's first two bytes, where an occurrence may start.
    void noteStartBytes();
    std::size_t characterMatchAt(std::string_view text, std::size_t at) const;

    std::string what_;
    Mode mode_ = Mode::Exact;
    TextEncoding encoding_;
    // CharacterFold: the folded characters of the find text.
    std::u32string folded_;
    std::array<Variants, 2> startBytes_{};
};

}  // namespace tagloom

// The pieces the mark-up reader hands out: in order, without gaps, never empty.
#include <gtest/gtest.h>

#include <string_view>
#include <vector>

#include "html/MarkupReader.h"

namespace tagloom {
namespace {

std::vector<MarkupPiece> piecesOf(std::string_view text) {
    std::vector<MarkupPiece> pieces;
    readMarkup(text, [&](const MarkupPiece& piece) {
        pieces.push_back(piece);
        return true;
    });
    return pieces;
}

void expectTiled(std::string_view text, const std::vector<MarkupPiece>& pieces) {
    std::size_t next = 0;
    for (const MarkupPiece& piece : pieces) {
        EXPECT_EQ(piece.begin, next);
        EXPECT_LT(piece.begin, piece.end) << "an empty piece at " << piece.begin;
        next = piece.end;
    }
    EXPECT_EQ(next, text.size());
}

TEST(MarkupReader, aQuotedValueOrPhpBlockRunningToTheEndLeavesNoEmptyPiece) {
    struct Case {
        std::string_view text;
        MarkupPiece::Kind last;
    };
    const Case cases[] = {
        {"<p><a href=\"x.html", MarkupPiece::Kind::Quoted},
        {"<a href=\"<?php echo $url; > more", MarkupPiece::Kind::Quoted},
        {"<input <?php echo 1;", MarkupPiece::Kind::Processing},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const auto pieces = piecesOf(c.text);
        expectTiled(c.text, pieces);
        ASSERT_FALSE(pieces.empty());
        EXPECT_EQ(pieces.back().kind, c.last);
    }
}

TEST(MarkupReader, piecesOfAPageTileItAndNameTheirKinds) {
    const std::string_view text = "<p class=\"a\"><!-- c --><?php x ?>text<script>a<b</script>";
    const auto pieces = piecesOf(text);
    expectTiled(text, pieces);
    std::vector<MarkupPiece::Kind> kinds;
    for (const auto& piece : pieces) kinds.push_back(piece.kind);
    using K = MarkupPiece::Kind;
    EXPECT_EQ(kinds, (std::vector<K>{K::TagBytes, K::Quoted, K::TagBytes, K::Comment, K::Processing, K::Text,
                                     K::TagBytes, K::Content, K::TagBytes}));
}

}  // namespace
}  // namespace tagloom

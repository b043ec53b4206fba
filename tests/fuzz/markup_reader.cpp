// The mark-up reader on any text: its pieces are non-empty, follow one
// another without gap or overlap and cover the whole text; stretches that are
// not mark-up (server code among them) begin and end as their kind says; the
// tags come in order, inside the text, with their names inside the tags.
#include <string_view>

#include "FuzzCheck.h"
#include "html/MarkupReader.h"

using namespace tagloom;

namespace {

// The mark that closes the server code bytes begin with; empty when they begin none.
std::string_view closingMarkOf(std::string_view bytes) {
    for (const auto& [open, close] : {std::pair{"<?", "?>"}, std::pair{"<%", "%>"}, std::pair{"{{", "}}"},
                                      std::pair{"{%", "%}"}, std::pair{"{#", "#}"}})
        if (bytes.starts_with(open)) return close;
    return {};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    std::size_t next = 0;
    readMarkup(text, [&](const MarkupPiece& piece) {
        FUZZ_CHECK(piece.begin == next && piece.begin < piece.end && piece.end <= text.size());
        const std::string_view bytes = text.substr(piece.begin, piece.end - piece.begin);
        switch (piece.kind) {
            case MarkupPiece::Kind::Comment:
                FUZZ_CHECK(bytes.starts_with("<!") && bytes.ends_with("-->") && piece.opensTag && piece.closesTag);
                break;
            case MarkupPiece::Kind::Processing: {
                // Server code: "<?" to "?>", "<%" to "%>", "{{" to "}}", "{%" to "%}", "{#" to "#}".
                const std::string_view close = closingMarkOf(bytes);
                FUZZ_CHECK(!close.empty());
                const bool ended = bytes.size() >= 4 && bytes.ends_with(close);
                FUZZ_CHECK(ended || piece.end == text.size());
                FUZZ_CHECK(!piece.closesTag || ended);
                break;
            }
            case MarkupPiece::Kind::Quoted:
                FUZZ_CHECK(bytes[0] == '"' || bytes[0] == '\'');
                FUZZ_CHECK(piece.end == text.size() || (bytes.size() >= 2 && bytes.back() == bytes[0]));
                break;
            case MarkupPiece::Kind::Text:
                FUZZ_CHECK(bytes.find('<') == std::string_view::npos);
                for (std::size_t brace = bytes.find('{'); brace != std::string_view::npos; brace = bytes.find('{', brace + 1))
                    FUZZ_CHECK(closingMarkOf(text.substr(piece.begin + brace)).empty());
                break;
            case MarkupPiece::Kind::TagBytes:
                FUZZ_CHECK(!piece.opensTag || bytes[0] == '<');
                FUZZ_CHECK(!piece.closesTag || bytes.back() == '>');
                break;
            case MarkupPiece::Kind::Content:
                FUZZ_CHECK(piece.end == text.size() || text.substr(piece.end, 2) == "</");
                break;
        }
        next = piece.end;
        return true;
    });
    FUZZ_CHECK(next == text.size());

    std::size_t previousEnd = 0;
    readTags(text, [&](const MarkupTag& tag) {
        const bool brace = text[tag.start] == '{';
        FUZZ_CHECK(tag.start >= previousEnd && (text[tag.start] == '<' || (brace && tag.kind == MarkupTag::Kind::Processing)));
        FUZZ_CHECK(tag.start < tag.end && tag.end <= text.size());
        FUZZ_CHECK(tag.start < tag.nameEnd && tag.nameEnd <= tag.end);
        FUZZ_CHECK(!tag.closed || text[tag.end - 1] == (brace ? '}' : '>'));
        previousEnd = tag.end;
        return true;
    });
    return 0;
}

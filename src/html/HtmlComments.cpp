#include "html/HtmlComments.h"

namespace tagloom {

std::size_t CommentFinder::closingMark(std::size_t lt) {
    constexpr std::string_view kOpening = "<!--";
    constexpr std::string_view kClosing = "-->";
    if (text_.substr(lt, kOpening.size()) != kOpening) return std::string_view::npos;
    const std::size_t from = lt + 4;
    if (from >= noMarkFrom_) return std::string_view::npos;
    const std::size_t mark = text_.find(kClosing, from);
    if (mark == std::string_view::npos) noMarkFrom_ = from;
    return mark;
}

}  // namespace tagloom

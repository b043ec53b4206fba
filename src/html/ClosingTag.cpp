#include "html/ClosingTag.h"

#include <array>
#include <vector>

#include "html/MarkupReader.h"
#include "textmodel/AsciiText.h"

namespace tagloom {

namespace {

constexpr std::array<std::string_view, 16> kVoidElements = {"area",  "base",  "br",    "col",   "command", "embed",
                                                            "hr",    "img",   "input", "keygen", "link",   "meta",
                                                            "param", "source", "track", "wbr"};

}  // namespace

bool isVoidElement(std::string_view name) {
    constexpr std::size_t kLongest = 7;
    if (name.size() < 2 || name.size() > kLongest) return false;
    char lower[kLongest];
    for (std::size_t i = 0; i < name.size(); ++i) lower[i] = toLowerAscii(name[i]);
    const std::string_view folded(lower, name.size());
    for (const std::string_view element : kVoidElements)
        if (element.front() == folded.front() && element == folded) return true;
    return false;
}

std::optional<std::string> elementToClose(std::string_view before) {
    if (before.empty() || before.back() != '<') return std::nullopt;
    const std::size_t lt = before.size() - 1;
    // A comment open at the caret ends after it, where the reader of the
    // text before the caret cannot see its end.
    if (const std::size_t comment = before.rfind("<!--");
        comment != std::string_view::npos && before.find("-->", comment + 4) == std::string_view::npos)
        return std::nullopt;
    std::vector<std::string_view> open;
    bool inMarkup = false;  // the last '<' starts a tag of its own
    readTags(before, [&](const MarkupTag& tag) {
        if (tag.start == lt) {
            inMarkup = tag.kind == MarkupTag::Kind::Element;
            return false;
        }
        if (tag.kind != MarkupTag::Kind::Element || !tag.closed) return true;
        const bool closing = before[tag.start + 1] == '/';
        const std::string_view name = before.substr(tag.start + (closing ? 2 : 1),
                                                    tag.nameEnd - tag.start - (closing ? 2 : 1));
        if (name.empty()) return true;
        if (!closing) {
            if (!isVoidElement(name) && before[tag.end - 2] != '/') open.push_back(name);
            return true;
        }
        for (std::size_t i = open.size(); i-- > 0;)
            if (equalsIgnoringAsciiCase(open[i], name)) {
                open.resize(i);
                break;
            }
        return true;
    });
    if (!inMarkup || open.empty()) return std::nullopt;
    return std::string(open.back());
}

}  // namespace tagloom

#include "syntax/HtmlExport.h"

#include <cstdio>

#include "syntax/StyleColours.h"
#include "syntax/SyntaxLexer.h"

namespace tagloom {

namespace {

constexpr std::size_t kPieceSize = 1 << 16;

// Collects the page and hands it on in pieces of about kPieceSize.
class PageWriter {
public:
    explicit PageWriter(const std::function<bool(std::string_view)>& write) : write_(write) {
        buffer_.reserve(kPieceSize + 256);
    }
    void add(std::string_view bytes) {
        buffer_ += bytes;
        if (buffer_.size() >= kPieceSize) flush();
    }
    void add(char c) {
        buffer_ += c;
        if (buffer_.size() >= kPieceSize) flush();
    }
    bool finish() {
        flush();
        return ok_;
    }
    bool ok() const { return ok_; }

private:
    void flush() {
        if (ok_ && !buffer_.empty()) ok_ = write_(buffer_);
        buffer_.clear();
    }
    const std::function<bool(std::string_view)>& write_;
    std::string buffer_;
    bool ok_ = true;
};

// The bytes [from, to) of text for the page: & < > " as references; a CR
// before a line break dropped (CR LF and the bookmark's CR CR LF are one
// line break); other control bytes but TAB and LF as the pictures U+2400 to
// U+2421.
void addEscaped(PageWriter& page, std::string_view text, std::size_t from, std::size_t to) {
    for (std::size_t i = from; i < to; ++i) {
        const char c = text[i];
        switch (c) {
        case '&': page.add("&amp;"); continue;
        case '<': page.add("&lt;"); continue;
        case '>': page.add("&gt;"); continue;
        case '"': page.add("&quot;"); continue;
        case '\t':
        case '\n': page.add(c); continue;
        case '\r':
            if (i + 1 < text.size() && (text[i + 1] == '\n' || text[i + 1] == '\r')) continue;
            break;
        default:
            if (static_cast<unsigned char>(c) >= 0x20 && c != 0x7f) {
                page.add(c);
                continue;
            }
        }
        char picture[16];
        const int code = c == 0x7f ? 0x2421 : 0x2400 + static_cast<unsigned char>(c);
        std::snprintf(picture, sizeof picture, "&#x%X;", code);
        page.add(picture);
    }
}

void addEscaped(PageWriter& page, std::string_view text) { addEscaped(page, text, 0, text.size()); }

std::string colourText(StyleRgb rgb) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", rgb.red, rgb.green, rgb.blue);
    return text;
}

std::string styleRules(ColourScheme scheme, std::string_view indent) {
    std::string rules;
    for (int i = 1; i < kStyleClassCount; ++i) {
        const auto style = static_cast<StyleClass>(i);
        rules += std::string(indent) + "." + std::string(styleClassName(style)) + " { color: " +
                 colourText(styleColour(style, scheme)) + " }\n";
    }
    return rules;
}

void addHead(PageWriter& page, const HtmlExportOptions& options) {
    page.add("<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"");
    addEscaped(page, options.charset);
    page.add("\">\n<title>");
    addEscaped(page, options.title);
    page.add("</title>\n<style>\n");
    const std::string light = colourText(styleColour(StyleClass::Plain, ColourScheme::Light));
    const std::string dark = colourText(styleColour(StyleClass::Plain, ColourScheme::Dark));
    page.add("body { margin: 0; background: #ffffff; color: " + light + " }\n");
    page.add("pre { margin: 8px; font-family: monospace; tab-size: " + std::to_string(options.tabWidth) + " }\n");
    page.add(styleRules(ColourScheme::Light, ""));
    page.add("@media (prefers-color-scheme: dark) {\n  body { background: #1e1e1e; color: " + dark + " }\n");
    page.add(styleRules(ColourScheme::Dark, "  "));
    page.add("}\n</style>\n</head>\n<body>\n<pre>\n");
}

}  // namespace

bool writeColouredPage(std::string_view text, SyntaxLanguage language, const HtmlExportOptions& options,
                       const std::function<bool(std::string_view)>& write) {
    PageWriter page(write);
    addHead(page, options);
    if (language == SyntaxLanguage::None) {
        addEscaped(page, text);
    } else {
        forEachStyledLine(text, language, [&](const LexState&, std::size_t, const std::vector<StyleRun>& runs) {
            for (const StyleRun& run : runs) {
                if (!page.ok()) return;
                const auto start = static_cast<std::size_t>(run.start);
                const auto end = static_cast<std::size_t>(run.end());
                // A line break a run ends with stays outside its span.
                std::size_t spanEnd = end;
                while (spanEnd > start && (text[spanEnd - 1] == '\n' || text[spanEnd - 1] == '\r')) --spanEnd;
                if (run.style != StyleClass::Plain && spanEnd > start) {
                    page.add("<span class=\"");
                    page.add(styleClassName(run.style));
                    page.add("\">");
                    addEscaped(page, text, start, spanEnd);
                    page.add("</span>");
                }
                addEscaped(page, text, run.style == StyleClass::Plain ? start : spanEnd, end);
            }
        });
    }
    page.add("</pre>\n</body>\n</html>\n");
    return page.finish();
}

}  // namespace tagloom

#include "print/PrintJob.h"

#include <algorithm>
#include <cstdio>
#include <utility>

#include "settings/EditorSettings.h"
#include "syntax/SyntaxLexer.h"

namespace tagloom {

namespace {

// Thousandths of an inch to device pixels, as the margins are converted.
int toPixels(int thousandths, int dpi) { return std::max(0, thousandths) * dpi / 1000; }

// The line that starts at start, with its LF.
std::string_view lineFrom(std::string_view text, std::size_t start) {
    const std::size_t lf = text.find('\n', start);
    return text.substr(start, lf == std::string_view::npos ? std::string_view::npos : lf + 1 - start);
}

}  // namespace

PrintOptions PrintOptions::from(const EditorSettings& settings) {
    PrintOptions options;
    options.fontFaceName = settings.fontFaceName;
    options.printerPtSize = settings.printerPtSize;
    options.header = settings.bPrinterHeader != 0;
    options.footer = settings.bPrinterFooter != 0;
    options.lineNumbers = settings.bPrinterLineNum != 0;
    options.wrap = settings.bWrap != 0;
    options.tabChars = settings.nTabChars;
    return options;
}

std::string unmarkedTitle(const std::string& title, bool modified) {
    const bool marked = modified && title.size() >= 2 && title.compare(title.size() - 2, 2, " *") == 0;
    return marked ? title.substr(0, title.size() - 2) : title;
}

std::string headerText(const std::string& title) { return "file: " + title; }

std::string footerText(int page) { return "page " + std::to_string(page); }

std::string lineNumberText(long long number) { return " " + std::to_string(number) + " "; }

PrintJob::PrintJob(std::string text, std::string title, PrintOptions options, PageValues page)
    : text_(std::move(text)), title_(std::move(title)), options_(std::move(options)), page_(page) {
    lineCount_ = 1 + std::count(text_.begin(), text_.end(), '\n');
}

PrintJob::~PrintJob() = default;

int PrintJob::Prepare(PrintDevice& device) {
    measure(device);
    paginate();
    return pageCount();
}

void PrintJob::Begin(PrintDevice& device) {
    if (device.orientation() != page_.orientation) device.setOrientation(page_.orientation);
    if (device.paperSize() != page_.paperSize) device.setPaperSize(page_.paperSize);
    measure(device);
    paginate();
}

void PrintJob::measure(PrintDevice& device) {
    const DeviceCaps caps = device.caps();
    const auto& m = page_.margins;
    rcPrintMargins = {toPixels(m[0], caps.dpiX), toPixels(m[1], caps.dpiY), toPixels(m[2], caps.dpiX),
                      toPixels(m[3], caps.dpiY)};
    // The page in the orientation chosen, whatever shape the printer reports.
    int width = caps.width, height = caps.height;
    const bool landscape = page_.orientation == kOrientationLandscape;
    if (landscape ? height > width : width > height) std::swap(width, height);
    frame_ = {rcPrintMargins[0], rcPrintMargins[1], width - rcPrintMargins[2], height - rcPrintMargins[3]};

    layout_.reset();
    printingFont_ = device.createFont(options_.fontFaceName, options_.printerPtSize * 10);
    const bool decorated = options_.header || options_.footer || options_.lineNumbers;
    decorationFont_ = decorated ? device.createFont(options_.fontFaceName, options_.printerPtSize * 30 / 4) : nullptr;

    // Numbers step down the page as the text lines do, from the same font.
    nPrintLineHeight = printingFont_->lineHeight();
    nHeaderHeight = options_.header ? 2 * nPrintLineHeight : 0;
    nFooterHeight = options_.footer ? 2 * nPrintLineHeight : 0;
    nLineNumWidth = options_.lineNumbers
                        ? static_cast<int>(lineNumberText(lineCount_).size()) * printingFont_->averageCharWidth()
                        : 0;
    const int tabChars = options_.tabChars > 0 ? options_.tabChars : 8;
    layout_.emplace(text_, *printingFont_, tabChars * printingFont_->averageCharWidth(), options_.wrap);
}

PrintJob::Area PrintJob::textArea() const {
    return {frame_.left + nLineNumWidth, frame_.top + nHeaderHeight, frame_.right, frame_.bottom - nFooterHeight};
}

int PrintJob::linesFitting() const {
    const Area area = textArea();
    return std::max(1, (area.bottom - area.top) / std::max(1, nPrintLineHeight));
}

bool PrintJob::hasRoomForText() const {
    if (!printingFont_) return false;
    const Area area = textArea();
    return area.right - area.left >= printingFont_->averageCharWidth() && area.bottom - area.top >= nPrintLineHeight;
}

// Page after page is laid out with nothing drawn, each from where the one
// before ended, until the text is used up; the start of every printed line is
// noted for the numbers. A page without room for a line of text gets none.
void PrintJob::paginate() {
    pageStarts_.clear();
    aPrintLineNumbers.clear();
    nLinesPerPage = 0;
    if (!hasRoomForText()) return;
    const int end = layout_->length();
    const int width = textArea().right - textArea().left;
    const int fitting = linesFitting();
    for (int pos = 0; pos < end;) {
        pageStarts_.push_back(pos);
        int placed = 0;
        for (; placed < fitting && pos < end; ++placed) {
            const PrintedLine line = layout_->lineAt(pos, end, width);
            if (options_.lineNumbers) aPrintLineNumbers.push_back(static_cast<unsigned>(line.start));
            pos = line.next;
        }
        nLinesPerPage = std::max(nLinesPerPage, static_cast<unsigned>(placed));
    }
    notePageLexers();
    // A printed line that starts right after an LF begins a new line of the
    // text; any other continues the line before and repeats its number.
    unsigned number = 0;
    for (unsigned& entry : aPrintLineNumbers) {
        if (number == 0 || text_[entry - 1] == '\n') ++number;
        entry = number;
    }
}

// One pass over the text, as far as the start of the last page: whole lines
// without runs, and in the line a page starts in, token by token up to the
// token that holds the page's first byte, so that a page that starts inside
// a long line costs no lexing of the line's bytes before it.
void PrintJob::notePageLexers() {
    pageLexers_.clear();
    if (options_.language == SyntaxLanguage::None) return;
    const std::string_view text = text_;
    PageLexer at{0, LineLexer(initialState(options_.language))};
    for (const int pageStart : pageStarts_) {
        const auto start = static_cast<std::size_t>(pageStart);
        for (;;) {
            const std::size_t lf = text.find('\n', at.lineStart);
            if (lf == std::string_view::npos || lf >= start) break;
            at.lexer.lexAll(text.substr(at.lineStart, lf + 1 - at.lineStart), nullptr);
            at.lexer = LineLexer(at.lexer.state());
            at.lineStart = lf + 1;
        }
        const std::string_view line = lineFrom(text, at.lineStart);
        const std::size_t offset = start - at.lineStart;
        while (at.lexer.position() < offset) {
            LineLexer step = at.lexer;
            step.lexTo(line, step.position() + 1, nullptr);
            if (step.position() > offset) break;
            at.lexer = step;
        }
        pageLexers_.push_back(at);
    }
}

std::vector<StyleRun> PrintJob::pageStyles(int page, int end) const {
    std::vector<StyleRun> runs;
    if (pageLexers_.empty()) return runs;
    const std::string_view text = text_;
    const int from = pageStarts_[static_cast<std::size_t>(page - 1)];
    PageLexer at = pageLexers_[static_cast<std::size_t>(page - 1)];
    const auto stop = static_cast<std::size_t>(end);
    while (at.lineStart < stop) {
        const std::string_view line = lineFrom(text, at.lineStart);
        RunCollector collector(runs, static_cast<int>(at.lineStart), from, end);
        at.lexer.lexTo(line, stop - at.lineStart, &collector);
        if (!at.lexer.finished(line)) break;
        at.lexer = LineLexer(at.lexer.state());
        at.lineStart += line.size();
    }
    return runs;
}

PrintedRun PrintJob::decoration(const std::string& text, int centreOrLeft, int top, bool centred) const {
    const PrintLayout label(text, *decorationFont_, 1, false);
    const PrintedLine line{0, label.length(), label.length()};
    PrintedRun run{PrintedRun::Font::Decoration, top, decorationFont_->ascent(), decorationFont_->height(), {}, {}};
    label.characters(line, centred ? centreOrLeft - label.width(line) / 2 : centreOrLeft, run.chars);
    return run;
}

PageContent PrintJob::PrintPage(int page) const {
    PageContent content;
    if (page < 1 || page > pageCount()) return content;
    const int centre = (frame_.left + frame_.right) / 2;
    if (options_.header) content.runs.push_back(decoration(headerText(title_), centre, frame_.top, true));
    if (options_.footer)
        content.runs.push_back(decoration(footerText(page), centre, frame_.bottom - decorationFont_->height(), true));

    const Area area = textArea();
    const std::size_t first = static_cast<std::size_t>(nLinesPerPage) * static_cast<std::size_t>(page - 1);
    const std::size_t last = std::min(first + nLinesPerPage, aPrintLineNumbers.size());
    for (std::size_t i = first; i < last; ++i) {
        // Each number's bottom is its text line's bottom.
        const int lineBottom = area.top + static_cast<int>(i - first) * nPrintLineHeight + printingFont_->height();
        content.runs.push_back(decoration(lineNumberText(aPrintLineNumbers[i]), frame_.left,
                                          lineBottom - decorationFont_->height(), false));
    }

    const int end = page < pageCount() ? pageStarts_[static_cast<std::size_t>(page)] : layout_->length();
    const int fitting = linesFitting();
    const std::vector<StyleRun> styles = pageStyles(page, end);
    auto style = styles.begin();
    int pos = pageStarts_[static_cast<std::size_t>(page - 1)];
    for (int row = 0; row < fitting && pos < end; ++row) {
        const PrintedLine line = layout_->lineAt(pos, layout_->length(), area.right - area.left);
        PrintedRun run{PrintedRun::Font::Text, area.top + row * nPrintLineHeight, printingFont_->ascent(),
                       printingFont_->height(), {}, {}};
        layout_->characters(line, area.left, run.chars);
        while (style != styles.end() && style->end() <= line.start) ++style;
        for (auto s = style; s != styles.end() && s->start < line.end; ++s)
            if (s->style != StyleClass::Plain) run.styles.push_back(*s);
        content.runs.push_back(std::move(run));
        pos = line.next;
    }
    return content;
}

}  // namespace tagloom

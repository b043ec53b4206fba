#pragma once
// One print or preview of the document, in the steps the printing framework
// calls: Prepare lays the text out on the printer printing starts with and
// counts the pages for the Print dialog; Begin sets the page setup's
// orientation and paper size on the printer chosen, measures the margins and
// the fonts there and lays the text out again on it, so the pages and the
// line numbers are those of the printer that prints; PrintPage tells what one
// page shows. Pages are found by laying out page after page with nothing
// drawn. All sizes are device pixels.
#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/PrintDialogs.h"
#include "print/PrintDevice.h"
#include "print/PrintLayout.h"
#include "syntax/SyntaxLexer.h"
#include "syntax/StyleRun.h"
#include "syntax/SyntaxLanguage.h"

namespace tagloom {

struct EditorSettings;

// What printing takes from the editor's settings.
struct PrintOptions {
    std::string fontFaceName = "Courier New";
    int printerPtSize = 8;
    bool header = true;
    bool footer = true;
    bool lineNumbers = false;
    bool wrap = true;
    int tabChars = 4;
    // The language the text's glyphs are coloured in; None prints them plain.
    SyntaxLanguage language = SyntaxLanguage::None;

    static PrintOptions from(const EditorSettings& settings);
};

// One piece of text on a page: a line of the document, the header, the
// footer or a line number, in the printing font or the smaller one of the
// decorations.
struct PrintedRun {
    enum class Font { Text, Decoration };
    Font font = Font::Text;
    int top = 0;
    int ascent = 0;
    int height = 0;
    std::vector<VisibleChar> chars;
    // Of a line of the text in a coloured job: the style runs of its bytes,
    // in order; plain text has none.
    std::vector<StyleRun> styles;
};

struct PageContent {
    std::vector<PrintedRun> runs;
};

// The document's title without the " *" that marks it modified.
std::string unmarkedTitle(const std::string& title, bool modified);
// "file: %s" with the title.
std::string headerText(const std::string& title);
// "page %d"
std::string footerText(int page);
// " %d ": a line number, and the text whose length sizes the number column.
std::string lineNumberText(long long number);

class PrintJob {
public:
    // `text` is the document's text as it is when printing starts; `title`
    // names it in the header.
    PrintJob(std::string text, std::string title, PrintOptions options, PageValues page);
    PrintJob(const PrintJob&) = delete;
    PrintJob& operator=(const PrintJob&) = delete;
    ~PrintJob();

    // Before the Print dialog: the page count on this printer (0 for an empty
    // text, or when there is no room for text).
    int Prepare(PrintDevice& device);
    // With the printer chosen.
    void Begin(PrintDevice& device);
    // What page `page` (1-based, up to pageCount()) shows.
    PageContent PrintPage(int page) const;

    int pageCount() const { return static_cast<int>(pageStarts_.size()); }
    const std::string& title() const { return title_; }
    // False when the margins, the header, the footer and the number column
    // leave less than one line of one character for the text.
    bool hasRoomForText() const;

    // The fonts of the last Begin: the printing font, and the smaller one of
    // the header, the footer and the line numbers (none when all are off).
    const PrintFont* printingFont() const { return printingFont_.get(); }
    const PrintFont* decorationFont() const { return decorationFont_.get(); }

    const std::array<int, 4>& printMargins() const { return rcPrintMargins; }
    int headerHeight() const { return nHeaderHeight; }
    int footerHeight() const { return nFooterHeight; }
    int lineNumberWidth() const { return nLineNumWidth; }
    int printLineHeight() const { return nPrintLineHeight; }
    unsigned linesPerPage() const { return nLinesPerPage; }
    // One entry per printed line: the number of the line of the text it belongs to.
    const std::vector<unsigned>& printLineNumbers() const { return aPrintLineNumbers; }

private:
    struct Area {
        int left = 0, top = 0, right = 0, bottom = 0;
    };
    // Margins, fonts, heights and the number column on this printer.
    void measure(PrintDevice& device);
    void paginate();
    // Where the text goes: inside the margins, below the header, above the
    // footer, right of the number column.
    Area textArea() const;
    int linesFitting() const;
    PrintedRun decoration(const std::string& text, int centreOrLeft, int top, bool centred) const;
    // Where the lexer stands as each page begins.
    void notePageLexers();
    // The style runs of the bytes [pageStart, end) of a page.
    std::vector<StyleRun> pageStyles(int page, int end) const;

    std::string text_;
    std::string title_;
    PrintOptions options_;
    PageValues page_;
    long long lineCount_ = 1;

    std::unique_ptr<PrintFont> printingFont_;
    std::unique_ptr<PrintFont> decorationFont_;
    std::optional<PrintLayout> layout_;
    // The page inside the margins: the header at its top, the footer at its bottom.
    Area frame_;
    std::vector<int> pageStarts_;
    struct PageLexer {
        std::size_t lineStart = 0;  // of the line the lexer reads
        LineLexer lexer;
    };
    std::vector<PageLexer> pageLexers_;  // one per page of a coloured job

    std::array<int, 4> rcPrintMargins{};
    int nHeaderHeight = 0;
    int nFooterHeight = 0;
    int nLineNumWidth = 0;
    int nPrintLineHeight = 0;
    unsigned nLinesPerPage = 0;
    std::vector<unsigned> aPrintLineNumbers;
};

}  // namespace tagloom

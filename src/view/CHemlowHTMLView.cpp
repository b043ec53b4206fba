#include "view/CHemlowHTMLView.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <ctime>

#include "commands/CommandRouter.h"
#include "document/CHemlowHTMLDoc.h"
#include "document/FileCommands.h"
#include "document/FileStatusStore.h"
#include "document/HelperPrograms.h"
#include "html/CharacterCommands.h"
#include "html/HtmlCommands.h"
#include "html/InsertCommands.h"
#include "html/TextToolCommands.h"
#include "platform/Platform.h"
#include "print/PrintCommands.h"
#include "resources/CommandIds.h"
#include "resources/Keys.h"
#include "search/FindInFilesCommands.h"
#include "search/GoToCommands.h"
#include "textmodel/AsciiText.h"
#include "view/BlockIndent.h"
#include "view/FontFactory.h"
#include "view/HtmlExportCommand.h"
#include "view/ViewRules.h"
#include "syntax/SyntaxLanguage.h"

namespace tagloom {

CHemlowHTMLView::CHemlowHTMLView(Platform& platform, CommandRouter& router, FontFactory& fonts,
                                 CHemlowHTMLDoc& document)
    : platform_(platform),
      router_(router),
      fonts_(fonts),
      document_(document),
      journal_(control_, platform.prompter, platform.clock, recoveryFolder()),
      bookmarkCommands_(*this, router, bookmarks_),
      find_(*this, settings_, platform, router),
      undo_(control_, platform.clock,
            {[this] { Beep(); },
             [this] {
                 if (document_.nSaveCount != 0) return;
                 control_.setModify(false);
                 document_.SetModifiedFlag(false);
             },
             [this] { bookmarks_.putBack(); }},
            router),
      clipboard_(*this, platform, router, bookmarks_),
      guides_(*this, platform, router, find_.marks()),
      syntax_(control_, platform.uiQueue, [this] { postRepaint(); }),
      html_(std::make_unique<HtmlCommands>(*this, settings_, platform, router)),
      textTools_(std::make_unique<TextToolCommands>(*this, platform, router)),
      insertions_(std::make_unique<InsertCommands>(*this, platform, router)),
      characters_(std::make_unique<CharacterCommands>(*this, platform, router)),
      goTo_(std::make_unique<GoToCommands>(*this, platform, router)),
      findInFiles_(std::make_unique<FindInFilesCommands>(*this, settings_, platform, router)),
      fileCommands_(std::make_unique<FileCommands>(*this, settings_, document, platform, router)),
      helperPrograms_(std::make_unique<HelperPrograms>(*this, settings_, document, platform, router)),
      printing_(std::make_unique<PrintCommands>(*this, settings_, platform, router,
                                                [this] { return document_.GetTitle(); },
                                                [this] { return syntax_.shownLanguage(); })),
      htmlExport_(std::make_unique<HtmlExportCommand>(*this, document, platform, router)) {
    settings_.load(platform.settings);
    control_.setWordWrap(settings_.bWrap != 0);
    syntax_.setEnabled(settings_.bSyntaxColor != 0);
    control_.addObserver(*this);
    registerCommands();
    registerStatusPanes();
}

CHemlowHTMLView::~CHemlowHTMLView() {
    control_.removeObserver(*this);
    settings_.save(platform_.settings);
}

// --- font and display switches -------------------------------------------------

int CHemlowHTMLView::topOffset() { return control_.lineIndex(control_.firstVisibleLine()); }

void CHemlowHTMLView::scrollOffsetToTop(int offset) {
    control_.lineScroll(0, control_.lineFromChar(std::clamp(offset, 0, control_.length())) -
                               control_.firstVisibleLine());
}

void CHemlowHTMLView::ApplyFont() {
    auto font = fonts_.createFont(settings_.fontFaceName, settings_.fontPtSize);
    if (!font) return;
    const int top = topOffset();
    const int previousCharWidth = nCharWidth;
    nLineHeight = font->lineHeight();
    nCharWidth = font->averageCharWidth();
    control_.setFontMetrics(std::move(font));
    ApplyViewSettings();
    scrollOffsetToTop(top);
    guides_.charWidthChanged(previousCharWidth, nCharWidth);
    if (fontListener_) fontListener_(nCharWidth, nLineHeight);
}

void CHemlowHTMLView::ApplyViewSettings() {
    nMarginChars = settings_.bShowLineNum ? 3 : 0;
    control_.setMargins(nMarginChars * nCharWidth, 0);
    control_.setTabStops(settings_.nTabChars);
    postRepaint();
}

bool CHemlowHTMLView::FitMarginTo(int bottomLineNumber) {
    char text[32];
    const int width = std::snprintf(text, sizeof text, " %d ", bottomLineNumber);
    if (width == nMarginChars) return false;
    // With word wrap a wider margin can wrap a line and bring a shorter number
    // to the bottom, and the narrower margin the longer one again. Where the
    // margin last changed it only widens, so the paints settle.
    const int length = control_.length();
    if (width < nMarginChars && topOffset() == marginFitTop_ && length == marginFitLength_) return false;
    nMarginChars = width;
    control_.setMargins(nMarginChars * nCharWidth, 0);
    marginFitTop_ = topOffset();
    marginFitLength_ = length;
    return true;
}

void CHemlowHTMLView::ToggleLineNumbers() {
    settings_.bShowLineNum = !settings_.bShowLineNum;
    const int top = topOffset();
    ApplyViewSettings();
    scrollOffsetToTop(top);
}

void CHemlowHTMLView::ToggleWordWrap() {
    const int top = topOffset();
    const int anchor = control_.anchor(), caret = control_.caret();
    settings_.bWrap = !settings_.bWrap;
    control_.setWordWrap(settings_.bWrap != 0);
    ApplyViewSettings();
    scrollOffsetToTop(top);
    control_.setSel(anchor, caret);
}

void CHemlowHTMLView::SetTabWidth(int nTabChars) {
    settings_.nTabChars = nTabChars;
    const int top = topOffset();
    control_.setTabStops(settings_.nTabChars);
    scrollOffsetToTop(top);
}

void CHemlowHTMLView::ZoomIn() { zoomTo(zoomInSize(settings_.fontPtSize)); }

void CHemlowHTMLView::ZoomOut() { zoomTo(zoomOutSize(settings_.fontPtSize)); }

void CHemlowHTMLView::Beep() { platform_.desktop.beep(); }

std::string CHemlowHTMLView::documentPath() const { return document_.GetPathName(); }

bool CHemlowHTMLView::isHtmlDocument() { return html_->IsHtmlDocument(); }

void CHemlowHTMLView::zoomTo(std::optional<int> pointSize) {
    if (!pointSize) {
        Beep();
        return;
    }
    settings_.fontPtSize = *pointSize;
    ApplyFont();
}

// --- caret and selection steps -------------------------------------------------

void CHemlowHTMLView::CenterCaretLine() {
    if (settings_.bScrollCenter)
        ScrollCaretLineToMiddle();
    else
        postRepaint();
}

void CHemlowHTMLView::ScrollCaretLineToMiddle() {
    if (nLineHeight > 0) {
        const int height = control_.getRect().bottom - control_.getRect().top;
        const int caretLine = control_.lineFromChar(-1);
        control_.lineScroll(0, caretLine - control_.firstVisibleLine() - (height / nLineHeight) / 2);
    }
    postRepaint();
}

void CHemlowHTMLView::RevealSelection() {
    const Selection selection = control_.selection();
    control_.setSel(selection.start, selection.start);
    control_.scrollCaret();
    control_.setSel(selection.start, selection.end);
}

// Edits and caret moves come in runs (a Replace All): the text is worked
// out once, when it is read.
void CHemlowHTMLView::UpdateLnCol() {
    if (lnColStale_) return;
    lnColStale_ = true;
    if (lnColListener_) lnColListener_();
}

const std::string& CHemlowHTMLView::lnColText() const {
    if (lnColStale_) {
        const int start = control_.selection().start;
        const int line = textLineOf(start);
        strLnCol = ::tagloom::lnColText(line + 1, start - textLineStart(line) + 1);
        lnColStale_ = false;
    }
    return strLnCol;
}

void CHemlowHTMLView::AfterChange() {
    control_.setModify(true);
    if (!document_.IsModified()) document_.SetModifiedFlag(true);
    postRepaint();
    UpdateLnCol();
}

void CHemlowHTMLView::postRepaint() {
    if (repaintPosted_) return;
    repaintPosted_ = true;
    platform_.uiQueue.post([this] {
        repaintPosted_ = false;
        if (repaint_) repaint_();
    });
}

void CHemlowHTMLView::ReplaceWholeText(std::string&& text) {
    const ViewPlace before = undo_.place();
    control_.exchangeText(std::move(text));
    undo_.archive().markWholeTextChange(before);
    control_.setSel(0, 0);
    control_.scrollCaret();
    AfterChange();
}

void CHemlowHTMLView::SelectAll() {
    const int x = control_.horizontalScroll();
    const int top = control_.firstVisibleLine();
    control_.setSel(0, -1);
    control_.scrollCaret();
    control_.lineScroll(nCharWidth > 0 ? (x - control_.horizontalScroll()) / nCharWidth : 0,
                        top - control_.firstVisibleLine());
    postRepaint();
}

void CHemlowHTMLView::FontCharacteristics() {
    const std::time_t now = std::time(nullptr);
    std::tm today{};
    localtime_r(&now, &today);
    const std::string report = fontReportText(settings_.fontFaceName,
                                              fonts_.describeFont(settings_.fontFaceName, settings_.fontPtSize), today);

    const int anchor = control_.anchor(), caret = control_.caret();
    const int top = control_.firstVisibleLine();
    const int columns = nCharWidth > 0 ? control_.horizontalScroll() / nCharWidth : 0;
    const bool modified = control_.getModify();
    ViewGuides& guides = guides_.guides;
    const ViewGuides savedGuides = guides;
    guides.nColumnGuideX = -1;
    guides.bLineGuide = 0;

    std::string document = control_.getText();
    control_.setText(report);
    postRepaint();
    platform_.prompter.ask({"Return to the document\nPress [esc] or click OK", "Tagloom - Font Characteristics",
                            Buttons::Ok, Icon::Information, 0});
    control_.adoptText(std::move(document));
    control_.lineScroll(columns, top);
    control_.setSel(anchor, caret);
    control_.setModify(modified);
    guides = savedGuides;
    postRepaint();
}

// --- notifications of the control ---------------------------------------------

void CHemlowHTMLView::onHScroll() {
    const int position = control_.horizontalScroll();
    if (position == nHScrollPos) return;
    nHScrollPos = position;
    postRepaint();
}

void CHemlowHTMLView::onVScroll() {
    const int position = control_.firstVisibleLine();
    if (position == nVScrollPos) return;
    nVScrollPos = position;
    nTopOffset = topOffset();
    postRepaint();
}

// --- events from the widget ----------------------------------------------------

void CHemlowHTMLView::OnKeyDown(int virtualKey, int modifiers) {
    if (virtualKey >= VK_LEFT && virtualKey <= VK_DOWN) {
        postRepaint();
    } else if (modifiers & kCtrl) {
        if (virtualKey == VK_ADD) ZoomIn();
        if (virtualKey == VK_SUBTRACT) ZoomOut();
    }
}

bool CHemlowHTMLView::OnMouseWheel(int delta, int modifiers, bool mouseButtonsHeld) {
    if (modifiers != kCtrl || mouseButtonsHeld || delta == 0) return false;
    if (delta > 0)
        ZoomOut();
    else
        ZoomIn();
    return true;
}

void CHemlowHTMLView::OnSize(int width, int height) {
    control_.setClientSize(width, height);
    scrollOffsetToTop(nTopOffset);
    postRepaint();
}

// A Tab over a selection that holds a line feed indents the selected lines,
// Shift+Tab outdents them; any other Tab is typed.
bool CHemlowHTMLView::OnTabKey(bool shift) {
    if (!selectsLines(control_)) return false;
    TabOver(control_, shift);
    return true;
}

void CHemlowHTMLView::OnDoubleClick() {
    auto [start, end] = control_.selection();
    while (start > 0 && isWordChar(control_.charAt(start - 1))) --start;
    while (end < control_.length() && isWordChar(control_.charAt(end))) ++end;
    control_.setSel(start, end);
    postRepaint();
}

void CHemlowHTMLView::OnMouseDown() { postRepaint(); }

// --- the document's view --------------------------------------------------------

// The font and the tab stops the initial update applies go first: the text
// is laid out once, with them, and not once more when they come (a page of
// a gigabyte takes a second each time).
void CHemlowHTMLView::adoptLoadedText(LoadedText&& loaded) {
    bUnixFile = loaded.bUnixFile ? 1 : 0;
    nStrayCRs = static_cast<int>(std::min<std::size_t>(loaded.nStrayCRs, INT32_MAX));
    ApplyFont();
    control_.adoptText(std::move(loaded.text));
    postRepaint();
}

void CHemlowHTMLView::adoptRecovered(std::string&& text, std::size_t caret, const DocumentOrigin& origin) {
    bUnixFile = origin.unixFile ? 1 : 0;
    nStrayCRs = 0;
    control_.adoptText(std::move(text));
    marks().clear();
    ApplyFont();
    control_.setSel(static_cast<int>(caret), static_cast<int>(caret));
    control_.scrollCaret();
    CenterCaretLine();
    ResetUndo();
    control_.setModify(true);
    document_.SetModifiedFlag(true);
    journal_.setRecovered(origin);
    postRepaint();
}

void CHemlowHTMLView::emptyText() { control_.setText({}); }

// The language follows the file's name; a name that says none colours the
// text as HTML when it is an HTML document.
void CHemlowHTMLView::originChanged(const DocumentOrigin& origin, bool saved) {
    journal_.setBase(origin, saved ? RecoveryJournal::Base::Saved : RecoveryJournal::Base::Loaded);
    syntax_.setLanguage(syntaxLanguageFor(origin.path, html_->IsHtmlDocument()));
}

// A few bytes before the caret show whether it may stand in a tag's name at
// all; only then is the partner looked for, within its reach.
void CHemlowHTMLView::findPartnerTags() {
    std::optional<TagPair> pair;
    const Selection selection = control_.selection();
    if (selection.empty()) {
        const int caret = selection.start;
        const int near = std::max(0, caret - 100);
        if (mayStandInTagName(control_.copyRange(near, caret + 1), static_cast<std::size_t>(caret - near))) {
            const int from = std::max(0, caret - static_cast<int>(kPartnerReach));
            const int to = std::min(control_.length(), caret + static_cast<int>(kPartnerReach));
            pair = tagloom::partnerTags(control_.viewRange(from, to, partnerScratch_),
                                        static_cast<std::size_t>(caret - from));
            if (pair) {
                pair->tag = {pair->tag.start + from, pair->tag.end + from};
                pair->partner = {pair->partner.start + from, pair->partner.end + from};
            }
        }
    }
    if (pair == partner_) return;
    partner_ = pair;
    postRepaint();
}

void CHemlowHTMLView::resetLineEnds() {
    bUnixFile = 0;
    nStrayCRs = 0;
}

std::string_view CHemlowHTMLView::text() {
    return {control_.lock(), static_cast<std::size_t>(control_.length())};
}

void CHemlowHTMLView::storeFileState() {
    const std::string& path = document_.GetPathName();
    if (!fileStatus_ || !settings_.bRestoreState || path.empty()) return;
    const ViewGuides& guides = guides_.guides;
    FileStatusRecord record;
    record.path = path;
    record.bWrap = settings_.bWrap != 0;
    record.bShowLineNum = settings_.bShowLineNum != 0;
    record.nFirstVisibleLine = control_.firstVisibleLine();
    record.nHScrollChars = nCharWidth > 0 ? nHScrollPos / nCharWidth : 0;
    const Selection selection = control_.selection();
    record.nSelStart = selection.start;
    record.nSelEnd = selection.end;
    record.bReadOnly = IsReadOnly();
    record.nColumnGuide = guides.nColumnGuideX < 0 ? -1 : (nCharWidth > 0 ? guides.nColumnGuideX / nCharWidth : 0);
    record.bLineGuide = guides.bLineGuide != 0;
    if (bookmarks_.nBookmarks != 0) record.bookmarks = bookmarkedLines(text());
    fileStatus_->store(record);
}

void CHemlowHTMLView::restoreFileState() {
    const std::string& path = document_.GetPathName();
    if (!fileStatus_ || !settings_.bRestoreState || path.empty()) return;
    const auto record = fileStatus_->restore(path);
    if (!record) return;
    if (record->bWrap != (settings_.bWrap != 0)) ToggleWordWrap();
    if (record->bShowLineNum != (settings_.bShowLineNum != 0)) ToggleLineNumbers();
    if (record->bReadOnly != IsReadOnly()) ToggleReadOnly();
    ViewGuides& guides = guides_.guides;
    guides.nColumnGuideX = record->nColumnGuide < 0 ? -1 : record->nColumnGuide * nCharWidth;
    if (record->bLineGuide != (guides.bLineGuide != 0)) guides_.ToggleLineGuide();
    for (const std::size_t offset : bookmarkInsertOffsets(text(), record->bookmarks)) {
        control_.setSel(static_cast<int>(offset), static_cast<int>(offset));
        control_.replaceSel("\r");
    }
    bookmarks_.nBookmarks = static_cast<int>(record->bookmarks.size());  // corrected by the next recount
    control_.setSel(record->nSelStart, record->nSelEnd);
    control_.lineScroll(settings_.bWrap ? 0 : record->nHScrollChars,
                        record->nFirstVisibleLine - control_.firstVisibleLine());
}

void CHemlowHTMLView::applyInitialSelection() {
    const auto selection = initialSelection(nInitSelStart, nInitSelEnd, text(), bUnixFile != 0);
    control_.setSel(selection->start, selection->end);
    control_.scrollCaret();
    platform_.uiQueue.post([this] { router_.run(cmd::ScrollToCursor); });
}

void CHemlowHTMLView::initialUpdate() {
    marks().clear();
    goTo_->nGotoLine = 0;
    nVScrollPos = 0;
    nHScrollPos = 0;
    ApplyFont();
    nTopOffset = 0;
    if (nInitSelStart != 0 || nInitSelEnd != 0)
        applyInitialSelection();
    else
        restoreFileState();
    UpdateLnCol();
    ResetUndo();
    control_.setModify(false);
    document_.SetModifiedFlag(false);
    journal_.settle();
    platform_.uiQueue.post([this] { reportStrayCarriageReturns(); });
}

void CHemlowHTMLView::reportStrayCarriageReturns() {
    if (const auto notice = strayCarriageReturnNotice(static_cast<std::size_t>(nStrayCRs), bUnixFile != 0))
        platform_.prompter.ask(*notice);
}

// --- commands -----------------------------------------------------------------

void CHemlowHTMLView::registerCommands() {
    auto& r = router_;
    r.add(cmd::ReadOnly, [this] { ToggleReadOnly(); }, [this](CommandState& s) { s.checked = IsReadOnly(); });
    r.add(cmd::LineNumbers, [this] { ToggleLineNumbers(); },
          [this](CommandState& s) { s.checked = settings_.bShowLineNum != 0; });
    r.add(cmd::WordWrap, [this] { ToggleWordWrap(); }, [this](CommandState& s) { s.checked = settings_.bWrap != 0; });
    r.add(
        cmd::SyntaxColouring,
        [this] {
            settings_.bSyntaxColor = settings_.bSyntaxColor ? 0 : 1;
            syntax_.setEnabled(settings_.bSyntaxColor != 0);
        },
        [this](CommandState& s) { s.checked = settings_.bSyntaxColor != 0; });
    r.add(cmd::ZoomIn, [this] { ZoomIn(); });
    r.add(cmd::ZoomOut, [this] { ZoomOut(); });
    r.add(cmd::FontCharacteristics, [this] { FontCharacteristics(); });
    r.add(cmd::SelectAll, [this] { SelectAll(); }, [this](CommandState& s) { s.enabled = control_.length() != 0; });
}

void CHemlowHTMLView::registerStatusPanes() {
    auto& r = router_;
    r.addUpdate(str::PaneLnCol, [this](CommandState& s) {
        s.enabled = true;
        s.text = lnColText();
    });
    r.addUpdate(str::PaneLineEnds, [this](CommandState& s) {
        s.enabled = true;
        s.text = bUnixFile ? "\tUNIX" : "\tCR-LF";
    });
    // Each of the three count panes recounts the bookmarks itself: the panes
    // are asked in no fixed order.
    r.addUpdate(str::PaneLines, [this](CommandState& s) {
        bookmarks_.recount();
        s.enabled = true;
        s.text = "\t" + std::to_string(control_.textLineCount()) + " Lines";
    });
    // The size the text has when saved: every CR is dropped and every LF
    // written as CR LF or LF, whatever line breaks the text holds now (a
    // whole-text tool may have left bare LFs).
    r.addUpdate(str::PaneBytes, [this](CommandState& s) {
        bookmarks_.recount();
        const int lineFeeds = control_.textLineCount() - 1;
        s.enabled = true;
        s.text = "\t" + std::to_string(control_.length() - carriageReturns_.count() + (bUnixFile ? 0 : lineFeeds)) +
                 " Bytes";
    });
    r.addUpdate(str::PaneBookmarks, [this](CommandState& s) {
        bookmarks_.recount();
        s.enabled = true;
        s.text = "\t" + std::to_string(bookmarks_.nBookmarks) + " BM";
    });
}

}  // namespace tagloom

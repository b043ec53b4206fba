#include "view/CHemlowHTMLView.h"

#include <algorithm>
#include <cstdio>
#include <ctime>

#include "app/CommandLine.h"
#include "app/CommandRouter.h"
#include "document/CHemlowHTMLDoc.h"
#include "document/FileStatusStore.h"
#include "html/TextTools.h"
#include "resources/CommandIds.h"
#include "resources/Keys.h"
#include "view/FontFactory.h"
#include "view/FileCommands.h"
#include "view/HtmlCommands.h"
#include "view/ViewRules.h"

namespace tagloom {

CHemlowHTMLView::CHemlowHTMLView(Platform& platform, CommandRouter& router, FontFactory& fonts,
                                 CHemlowHTMLDoc& document)
    : platform_(platform),
      router_(router),
      fonts_(fonts),
      document_(document),
      undo_(*this, platform.clock,
            {[this] { platform_.desktop.beep(); },
             [this] {
                 if (document_.nSaveCount != 0) return;
                 control_.setModify(false);
                 document_.SetModifiedFlag(false);
             },
             [this] { ++nBookmarks; }}) {
    settings.load(platform.settings);
    control_.setWordWrap(settings.bWrap != 0);
    control_.addObserver(*this);
    registerCommands();
    html_ = std::make_unique<HtmlCommands>(*this, platform_, router_);
    fileCommands_ = std::make_unique<FileCommands>(*this, document_, platform_, router_);
}

CHemlowHTMLView::~CHemlowHTMLView() {
    control_.removeObserver(*this);
    settings.save(platform_.settings);
}

// --- font and display switches -------------------------------------------------

int CHemlowHTMLView::topOffset() { return control_.lineIndex(control_.firstVisibleLine()); }

void CHemlowHTMLView::scrollOffsetToTop(int offset) {
    control_.lineScroll(0, control_.lineFromChar(std::clamp(offset, 0, control_.length())) -
                               control_.firstVisibleLine());
}

void CHemlowHTMLView::ApplyFont() {
    auto font = fonts_.createFont(settings.fontFaceName, settings.fontPtSize);
    if (!font) return;
    const int top = topOffset();
    const int previousCharWidth = nCharWidth;
    nLineHeight = font->lineHeight();
    nCharWidth = font->averageCharWidth();
    control_.setFontMetrics(std::move(font));
    ApplyViewSettings();
    scrollOffsetToTop(top);
    if (guides.nColumnGuideX >= 0 && previousCharWidth > 0)
        guides.nColumnGuideX = guides.nColumnGuideX * nCharWidth / previousCharWidth;
    if (fontListener_) fontListener_(nCharWidth, nLineHeight);
}

void CHemlowHTMLView::ApplyViewSettings() {
    control_.setReadOnly(bReadOnly != 0);
    nMarginChars = settings.bShowLineNum ? 3 : 0;
    control_.setMargins(nMarginChars * nCharWidth, 0);
    control_.setTabStops(settings.nTabChars);
    postRepaint();
}

bool CHemlowHTMLView::FitMarginTo(int bottomLineNumber) {
    char text[32];
    const int width = std::snprintf(text, sizeof text, " %d ", bottomLineNumber);
    if (width == nMarginChars) return false;
    // With word wrap a wider margin can wrap a line and bring a shorter number
    // to the bottom, and the narrower margin the longer one again. Where the
    // margin last changed it only widens, so the paints settle.
    if (width < nMarginChars && topOffset() == marginFitTop_ && len == marginFitLength_) return false;
    nMarginChars = width;
    control_.setMargins(nMarginChars * nCharWidth, 0);
    marginFitTop_ = topOffset();
    marginFitLength_ = len;
    return true;
}

void CHemlowHTMLView::SetReadOnly(bool readOnly) {
    bReadOnly = readOnly ? 1 : 0;
    control_.setReadOnly(readOnly);
}

void CHemlowHTMLView::ToggleLineNumbers() {
    settings.bShowLineNum = !settings.bShowLineNum;
    const int top = topOffset();
    ApplyViewSettings();
    scrollOffsetToTop(top);
}

void CHemlowHTMLView::ToggleWordWrap() {
    const int top = topOffset();
    int start = 0, end = 0;
    control_.getSel(start, end);
    const int anchor = control_.anchor(), caret = control_.caret();
    settings.bWrap = !settings.bWrap;
    control_.setWordWrap(settings.bWrap != 0);
    ApplyViewSettings();
    scrollOffsetToTop(top);
    control_.setSel(anchor, caret);
}

void CHemlowHTMLView::ZoomIn() { zoomTo(zoomInSize(settings.fontPtSize)); }

void CHemlowHTMLView::ZoomOut() { zoomTo(zoomOutSize(settings.fontPtSize)); }

void CHemlowHTMLView::zoomTo(std::optional<int> pointSize) {
    if (!pointSize) {
        platform_.desktop.beep();
        return;
    }
    settings.fontPtSize = *pointSize;
    ApplyFont();
}

// --- caret and selection steps -------------------------------------------------

void CHemlowHTMLView::CenterCaretLine() {
    if (nLineHeight > 0 && settings.bScrollCenter) {
        const int height = control_.getRect().bottom - control_.getRect().top;
        const int caretLine = control_.lineFromChar(-1);
        control_.lineScroll(0, caretLine - control_.firstVisibleLine() - (height / nLineHeight) / 2);
    }
    postRepaint();
}

void CHemlowHTMLView::RevealSelection() {
    int start = 0, end = 0;
    control_.getSel(start, end);
    control_.setSel(start, start);
    control_.scrollCaret();
    control_.setSel(start, end);
}

void CHemlowHTMLView::ScrollToCursor() {
    int start = 0, end = 0;
    control_.getSel(start, end);
    const int saved = settings.bScrollCenter;
    settings.bScrollCenter = 1;
    CenterCaretLine();
    settings.bScrollCenter = saved;
    control_.setSel(start, start);
    control_.scrollCaret();
    control_.setSel(start, end);
}

std::string CHemlowHTMLView::GetSelectedText() const {
    int start = 0, end = 0;
    control_.getSel(start, end);
    return control_.copyRange(start, end);
}

int CHemlowHTMLView::textLineOf(int offset) const { return control_.textLineFromChar(offset); }

int CHemlowHTMLView::textLineStart(int line) const { return control_.textLineIndex(line); }

void CHemlowHTMLView::UpdateLnCol() {
    int start = 0, end = 0;
    control_.getSel(start, end);
    const int line = textLineOf(start);
    strLnCol = lnColText(line + 1, start - textLineStart(line) + 1);
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
    control_.exchangeText(std::move(text));
    control_.setSel(0, 0);
    control_.scrollCaret();
    AfterChange();
}

// --- notifications of the control ---------------------------------------------

void CHemlowHTMLView::onChange(const TextChange& change) {
    const auto charAt = [this](int i) { return control_.charAt(i); };
    if (change.kind == TextChange::Kind::Insertion) {
        counts_.inserted(change.position, change.text, control_.length(), charAt);
        undo_.recordInsertion(change.position, change.text);
    } else {
        counts_.removed(change.position, change.text, control_.length(), charAt);
        undo_.recordRemoval(change.position, std::string(change.text));
    }
    len = control_.length();
    html_->textChanged(change);
}

void CHemlowHTMLView::onUpdate() { AfterChange(); }

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
    UpdateLnCol();
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

void CHemlowHTMLView::FontCharacteristics() {
    const std::time_t now = std::time(nullptr);
    std::tm today{};
    localtime_r(&now, &today);
    const std::string report =
        fontReportText(settings.fontFaceName, fonts_.describeFont(settings.fontFaceName, settings.fontPtSize), today);

    int start = 0, end = 0;
    control_.getSel(start, end);
    const int anchor = control_.anchor(), caret = control_.caret();
    const int top = control_.firstVisibleLine();
    const int columns = nCharWidth > 0 ? control_.horizontalScroll() / nCharWidth : 0;
    const bool modified = control_.getModify();
    const ViewGuides savedGuides = guides;
    guides.nColumnGuideX = -1;
    guides.bLineGuide = 0;

    std::string document = control_.getText();
    control_.setText(report);
    html_->textReplaced();
    postRepaint();
    platform_.prompter.ask({"Return to the document\nPress [esc] or click OK", "Tagloom - Font Characteristics",
                            Buttons::Ok, Icon::Information, 0});
    control_.adoptText(std::move(document));
    html_->textReplaced();
    control_.lineScroll(columns, top);
    control_.setSel(anchor, caret);
    control_.setModify(modified);
    guides = savedGuides;
    postRepaint();
}

// A Tab over a selection that holds a line feed indents the selected lines,
// Shift+Tab outdents them; any other Tab is typed.
bool CHemlowHTMLView::OnTabKey(bool shift) {
    int start = 0, end = 0;
    control_.getSel(start, end);
    if (end <= start || control_.copyRange(start, end).find('\n') == std::string::npos) return false;
    TabOver(shift);
    return true;
}

void CHemlowHTMLView::TabOver(bool outdent) {
    int s = 0, e = 0;
    control_.getSel(s, e);
    s = textLineStart(textLineOf(s));
    while (e < len && control_.charAt(e - 1) != '\n') ++e;
    const std::string block = control_.copyRange(s, e);
    std::string result;
    result.reserve(block.size() + block.size() / 8 + 2);
    int delta = 0;
    if (outdent) {
        for (std::size_t i = 0; i < block.size(); ++i) {
            const bool lineStart = i == 0 || block[i - 1] == '\n';
            if (block[i] == '\t' && lineStart) {
                --delta;
                continue;
            }
            result += block[i];
        }
    } else {
        result += '\t';
        ++delta;
        for (std::size_t i = 0; i < block.size(); ++i) {
            result += block[i];
            if (block[i] == '\n' && i + 1 < block.size()) {
                result += '\t';
                ++delta;
            }
        }
    }
    control_.setSel(s, e);
    control_.scrollCaret();
    control_.replaceSel(result);
    control_.setSel(s, e + delta);
    control_.scrollCaret();
}

void CHemlowHTMLView::OnDoubleClick() {
    int start = 0, end = 0;
    control_.getSel(start, end);
    while (start > 0 && isWordChar(control_.charAt(start - 1))) --start;
    while (end < control_.length() && isWordChar(control_.charAt(end))) ++end;
    control_.setSel(start, end);
    postRepaint();
}

void CHemlowHTMLView::OnMouseDown() {
    UpdateLnCol();
    postRepaint();
}

// --- the document's view --------------------------------------------------------

void CHemlowHTMLView::adoptLoadedText(LoadedText&& loaded) {
    bUnixFile = loaded.bUnixFile ? 1 : 0;
    nStrayCRs = static_cast<int>(std::min<std::size_t>(loaded.nStrayCRs, INT32_MAX));
    control_.adoptText(std::move(loaded.text));
    html_->textReplaced();
    counts_.reset(text());
    len = control_.length();
    postRepaint();
}

void CHemlowHTMLView::emptyText() {
    control_.setText({});
    html_->textReplaced();
    counts_.reset({});
    len = 0;
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
    if (!fileStatus_ || !settings.bRestoreState || path.empty()) return;
    FileStatusRecord record;
    record.path = path;
    record.bWrap = settings.bWrap != 0;
    record.bShowLineNum = settings.bShowLineNum != 0;
    record.nFirstVisibleLine = control_.firstVisibleLine();
    record.nHScrollChars = nCharWidth > 0 ? nHScrollPos / nCharWidth : 0;
    control_.getSel(record.nSelStart, record.nSelEnd);
    record.bReadOnly = bReadOnly != 0;
    record.nColumnGuide = guides.nColumnGuideX < 0 ? -1 : (nCharWidth > 0 ? guides.nColumnGuideX / nCharWidth : 0);
    record.bLineGuide = guides.bLineGuide != 0;
    if (nBookmarks != 0) record.bookmarks = bookmarkedLines(text());
    fileStatus_->store(record);
}

void CHemlowHTMLView::restoreFileState() {
    const std::string& path = document_.GetPathName();
    if (!fileStatus_ || !settings.bRestoreState || path.empty()) return;
    const auto record = fileStatus_->restore(path);
    if (!record) return;
    if (record->bWrap != (settings.bWrap != 0)) ToggleWordWrap();
    if (record->bShowLineNum != (settings.bShowLineNum != 0)) ToggleLineNumbers();
    if (record->bReadOnly != (bReadOnly != 0)) ToggleReadOnly();
    guides.nColumnGuideX = record->nColumnGuide < 0 ? -1 : record->nColumnGuide * nCharWidth;
    if (record->bLineGuide != (guides.bLineGuide != 0)) ToggleLineGuide();
    nBookmarks = 0;
    for (const std::size_t offset : bookmarkInsertOffsets(text(), record->bookmarks)) {
        control_.setSel(static_cast<int>(offset), static_cast<int>(offset));
        control_.replaceSel("\r");
    }
    nBookmarks = static_cast<int>(record->bookmarks.size());  // corrected by the next recount
    control_.setSel(record->nSelStart, record->nSelEnd);
    control_.lineScroll(settings.bWrap ? 0 : record->nHScrollChars, record->nFirstVisibleLine - control_.firstVisibleLine());
}

void CHemlowHTMLView::applyInitialSelection() {
    CommandLine switches;
    switches.nInitSelStart = nInitSelStart;
    switches.nInitSelEnd = nInitSelEnd;
    const auto selection = initialSelection(switches, text(), bUnixFile != 0);
    control_.setSel(static_cast<int>(selection->start), static_cast<int>(selection->end));
    control_.scrollCaret();
    platform_.uiQueue.post([this] { router_.run(cmd::ScrollToCursor); });
}

void CHemlowHTMLView::initialUpdate() {
    bMarkHighlight = 0;
    nVScrollPos = 0;
    nHScrollPos = 0;
    ApplyFont();
    nTopOffset = 0;
    nGotoLine = 0;
    if (nInitSelStart != 0 || nInitSelEnd != 0)
        applyInitialSelection();
    else
        restoreFileState();
    UpdateLnCol();
    undo_.ResetUndo();
    len = control_.length();
    control_.setModify(false);
    document_.SetModifiedFlag(false);
    platform_.uiQueue.post([this] { reportStrayCarriageReturns(); });
}

void CHemlowHTMLView::reportStrayCarriageReturns() {
    if (const auto notice = strayCarriageReturnNotice(static_cast<std::size_t>(nStrayCRs), bUnixFile != 0))
        platform_.prompter.ask(*notice);
}

// --- commands -----------------------------------------------------------------

void CHemlowHTMLView::registerCommands() {
    auto& r = router_;
    r.add(cmd::ReadOnly, [this] { ToggleReadOnly(); }, [this](CommandState& s) { s.checked = bReadOnly != 0; });
    r.add(cmd::LineNumbers, [this] { ToggleLineNumbers(); },
          [this](CommandState& s) { s.checked = settings.bShowLineNum != 0; });
    r.add(cmd::WordWrap, [this] { ToggleWordWrap(); }, [this](CommandState& s) { s.checked = settings.bWrap != 0; });
    r.add(cmd::ZoomIn, [this] { ZoomIn(); });
    r.add(cmd::ZoomOut, [this] { ZoomOut(); });
    r.add(cmd::FontCharacteristics, [this] { FontCharacteristics(); });
    r.add(cmd::ScrollToCursor, [this] { ScrollToCursor(); });
    r.add(cmd::SelectAll, [this] { SelectAll(); }, [this](CommandState& s) { s.enabled = len != 0; });
    r.add(cmd::Undo, [this] { undo_.Undo(); },
          [this](CommandState& s) {
              s.enabled = undo_.undoSteps() > 0 && !IsReadOnly();
              s.text = undo_.undoMenuText();
          });
    r.add(cmd::Redo, [this] { undo_.Redo(); },
          [this](CommandState& s) {
              s.enabled = undo_.redoSteps() > 0 && !IsReadOnly();
              s.text = undo_.redoMenuText();
          });
    // Print, Print Preview and ASCII Compatibility need a text; their own
    // handlers come with printing and the character tools.
    for (int id : {cmd::Print, cmd::PrintPreview, cmd::AsciiCompatibility})
        r.addUpdate(id, [this, id](CommandState& s) { s.enabled = router_.hasHandler(id) && len != 0; });
    registerClipboardCommands();
    registerGuideCommands();
    registerTextTools();
    registerStatusPanes();
}

// Remove Whitespace and CSS Format, on the selection or the whole text.
void CHemlowHTMLView::registerTextTools() {
    for (const int id : {cmd::HtmlRemoveWhitespace, cmd::CssRemoveWhitespace, cmd::CssFormat}) {
        const TextTool tool = *textToolOf(id);
        router_.add(id, [this, tool] { runTool(tool); },
                    [this, tool](CommandState& s) {
                        OnUpdateTextTool(tool, s, len, hasSelection());
                        if (IsReadOnly()) s.enabled = false;
                    });
    }
}

void CHemlowHTMLView::runTool(TextTool tool) {
    int start = 0, end = 0;
    control_.getSel(start, end);
    TextToolResult result = runTextTool(tool, text(), Selection{start, end});
    switch (result.kind) {
    case TextToolResult::Kind::Unchanged: return;
    case TextToolResult::Kind::OutOfMemory:
        if (result.message) platform_.prompter.ask(*result.message);
        return;
    case TextToolResult::Kind::ReplaceSelection:
        control_.replaceSel(result.text, true);
        control_.setSel(result.selection.start, result.selection.end);
        RevealSelection();
        return;
    case TextToolResult::Kind::ReplaceDocument: ReplaceWholeText(std::move(result.text)); return;
    }
}

bool CHemlowHTMLView::hasSelection() const {
    int start = 0, end = 0;
    control_.getSel(start, end);
    return end > start;
}

void CHemlowHTMLView::registerGuideCommands() {
    auto& r = router_;
    r.add(cmd::ColumnGuide, [this] { ToggleColumnGuide(); },
          [this](CommandState& s) {
              s.checked = guides.nColumnGuideX >= 0;
              s.enabled = guides.nColumnGuideX >= 0 || !hasSelection();
          });
    r.add(cmd::LineGuide, [this] { ToggleLineGuide(); },
          [this](CommandState& s) {
              s.checked = guides.bLineGuide != 0;
              s.enabled = len != 0;
          });
    r.add(cmd::ColorFromText, [this] { ColorFromText(); }, [this](CommandState& s) { s.enabled = hasSelection(); });
    r.add(cmd::ColorPicker, [this] {
        guides.bPickColor = 1;
        if (statusBar_.captureMouse) statusBar_.captureMouse(true);
    });
    r.add(cmd::RemoveMarkedText, [this] { ClearMarks(); });
    r.add(cmd::MarkHighlight,
          [this] {
              bMarkHighlight = !bMarkHighlight;
              postRepaint();
          },
          [this](CommandState& s) {
              s.checked = bMarkHighlight != 0;
              s.enabled = !strMarkText.empty();
          });
    r.addUpdate(str::PaneColor, [this](CommandState& s) {
        s.enabled = true;
        s.text = guides.strColor;
    });
}

void CHemlowHTMLView::ToggleColumnGuide() {
    if (guides.nColumnGuideX >= 0) {
        guides.nColumnGuideX = -1;
    } else {
        if (hasSelection()) return;
        const Point at = control_.posFromChar(control_.caret());
        guides.nColumnGuideX = control_.horizontalScroll() + static_cast<std::int16_t>(at.x) - control_.getRect().left;
    }
    postRepaint();
}

void CHemlowHTMLView::ToggleLineGuide() {
    guides.bLineGuide = !guides.bLineGuide;
    postRepaint();
}

void CHemlowHTMLView::ColorFromText() {
    const auto color = colorFromText(GetSelectedText());
    if (!color) {
        platform_.desktop.beep();
        return;
    }
    ShowColor(*color);
}

void CHemlowHTMLView::ShowColor(const Rgb& color) {
    const std::string text = colorText(color);
    platform_.clipboard.setText(text);
    guides.strColor = "\t" + text;
    if (statusBar_.background) guides.clrFlashSaved = statusBar_.background();
    if (statusBar_.setBackground) statusBar_.setBackground(color);
    guides.nFlashTicks = 0;
    if (statusBar_.runFlashTimer) statusBar_.runFlashTimer(true);
}

void CHemlowHTMLView::OnFlashTimer() {
    if (statusBar_.background && statusBar_.setBackground) {
        const Rgb shown = statusBar_.background();
        statusBar_.setBackground(guides.clrFlashSaved);
        guides.clrFlashSaved = shown;
    }
    if (guides.nFlashTicks++ == 2 && statusBar_.runFlashTimer) statusBar_.runFlashTimer(false);
}

void CHemlowHTMLView::ClearMarks() {
    if (statusBar_.resetBackground) statusBar_.resetBackground();
    if (statusBar_.captureMouse) statusBar_.captureMouse(false);
    guides.bPickColor = 0;
    int start = 0, end = 0;
    control_.getSel(start, end);
    control_.setSel(start, start);
    bMarkHighlight = 0;
    postRepaint();
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

void CHemlowHTMLView::registerStatusPanes() {
    auto& r = router_;
    r.addUpdate(str::PaneLnCol, [this](CommandState& s) {
        s.enabled = true;
        s.text = strLnCol;
    });
    r.addUpdate(str::PaneLineEnds, [this](CommandState& s) {
        s.enabled = true;
        s.text = bUnixFile ? "\tUNIX" : "\tCR-LF";
    });
    // Each of the three count panes takes the counts itself: the panes are
    // asked in no fixed order.
    const auto recount = [this] {
        nLines = counts_.lines();
        nBookmarks = counts_.bookmarks();
    };
    r.addUpdate(str::PaneLines, [this, recount](CommandState& s) {
        recount();
        s.enabled = true;
        s.text = "\t" + std::to_string(nLines) + " Lines";
    });
    r.addUpdate(str::PaneBytes, [this, recount](CommandState& s) {
        recount();
        s.enabled = true;
        s.text = "\t" + std::to_string(len - nBookmarks - (bUnixFile ? nLines - 1 : 0)) + " Bytes";
    });
    r.addUpdate(str::PaneBookmarks, [this, recount](CommandState& s) {
        recount();
        s.enabled = true;
        s.text = "\t" + std::to_string(nBookmarks) + " BM";
    });
}

void CHemlowHTMLView::pushLifo(std::string text) {
    lifoTexts.insert(lifoTexts.begin(), std::move(text));
    if (lifoTexts.size() > 10) lifoTexts.erase(lifoTexts.begin() + 10);
}

void CHemlowHTMLView::pasteFromLifo() {
    const std::string text = lifoTexts.front();
    control_.replaceSel(text);
    int start = 0, end = 0;
    control_.getSel(start, end);
    control_.setSel(end - static_cast<int>(text.size()), end);
    control_.scrollCaret();
    lifoTexts.erase(lifoTexts.begin());
    control_.copy(platform_.clipboard);
}

void CHemlowHTMLView::registerClipboardCommands() {
    auto& r = router_;
    const auto hasSelection = [this] { return this->hasSelection(); };
    r.add(cmd::Cut,
          [this] {
              pushLifo(GetSelectedText());
              control_.cut(platform_.clipboard);
          },
          [this, hasSelection](CommandState& s) { s.enabled = hasSelection() && !IsReadOnly(); });
    r.add(cmd::Copy,
          [this] {
              pushLifo(GetSelectedText());
              control_.copy(platform_.clipboard);
          },
          [hasSelection](CommandState& s) { s.enabled = hasSelection(); });
    r.add(cmd::Paste,
          [this] {
              if (nBookmarks == 0) nBookmarks = 1;
              control_.paste(platform_.clipboard);
          },
          [this](CommandState& s) { s.enabled = !IsReadOnly() && platform_.clipboard.hasText(); });
    r.add(cmd::Delete, [this] { control_.clear(); },
          [this, hasSelection](CommandState& s) { s.enabled = hasSelection() && !IsReadOnly(); });
    r.add(cmd::PasteFromLifo, [this] { pasteFromLifo(); },
          [this](CommandState& s) {
              s.enabled = !lifoTexts.empty();
              s.text = "Paste From LIFO (" + std::to_string(lifoTexts.size()) + ")\tCtrl+Shift+V";
          });
}

}  // namespace tagloom

#pragma once
// The editor view: the hub that owns the edit control and one component per
// feature, and composes them. It holds the view's own state (font, margin,
// scrolling, Ln/Col), takes the widget's events and serves the document. It
// knows no widget; the Qt front end paints it and forwards input to it.
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "commands/EditorView.h"
#include "document/DocumentView.h"
#include "document/RecoveryJournal.h"
#include "html/PartnerTag.h"
#include "search/BookmarkCommands.h"
#include "search/Bookmarks.h"
#include "search/FindEngine.h"
#include "settings/EditorSettings.h"
#include "textmodel/ByteCount.h"
#include "textmodel/EditControl.h"
#include "view/ClipboardCommands.h"
#include "view/GuideCommands.h"
#include "view/SyntaxColouring.h"
#include "view/TypingAssists.h"
#include "view/UndoCommands.h"

namespace tagloom {

class CHemlowHTMLDoc;
class CommandRouter;
class FileCommands;
class FileStatusStore;
class CharacterCommands;
class FindInFilesCommands;
class FontFactory;
class GoToCommands;
class HelperPrograms;
class HtmlCommands;
class InsertCommands;
class HtmlExportCommand;
class PrintCommands;
class TextToolCommands;
struct Platform;

class CHemlowHTMLView : public DocumentView, public EditorView, private EditObserver {
public:
    CHemlowHTMLView(Platform& platform, CommandRouter& router, FontFactory& fonts, CHemlowHTMLDoc& document);
    // Writes the settings back.
    ~CHemlowHTMLView() override;
    CHemlowHTMLView(const CHemlowHTMLView&) = delete;
    CHemlowHTMLView& operator=(const CHemlowHTMLView&) = delete;

    // ---- the components ----
    EditorSettings& settings() { return settings_; }
    const EditorSettings& settings() const { return settings_; }
    UndoArchive& undo() { return undo_.archive(); }
    Bookmarks& bookmarks() { return bookmarks_; }
    FindEngine& find() { return find_; }
    MarkCommands& marks() { return find_.marks(); }
    GuideCommands& guides() { return guides_; }
    ClipboardCommands& clipboard() { return clipboard_; }
    InsertCommands& insertions() { return *insertions_; }
    GoToCommands& goTo() { return *goTo_; }
    FindInFilesCommands& findInFiles() { return *findInFiles_; }
    HelperPrograms& helperPrograms() { return *helperPrograms_; }
    PrintCommands& printing() { return *printing_; }

    // ---- EditorView ----
    EditControl& control() override { return control_; }
    std::string_view text() override;
    bool IsReadOnly() const override { return control_.isReadOnly(); }
    bool unixFile() const override { return bUnixFile != 0; }
    int bookmarkCount() const override { return bookmarks_.nBookmarks; }
    bool lineGuide() const override { return guides_.guides.bLineGuide != 0; }
    std::string documentPath() const override;
    bool isHtmlDocument() override;
    void RevealSelection() override;
    void CenterCaretLine() override;
    void ScrollCaretLineToMiddle() override;
    void UpdateLnCol() override;
    // The after-change step: modified flags, repaint, Ln/Col.
    void AfterChange();
    void postRepaint() override;
    void ReplaceWholeText(std::string&& text) override;
    void ResetUndo() override { undo_.archive().ResetUndo(); }

    // ---- steps of the view ----
    void ApplyFont();
    void ApplyViewSettings();
    void SetReadOnly(bool readOnly) { control_.setReadOnly(readOnly); }
    void ToggleReadOnly() { SetReadOnly(!IsReadOnly()); }
    void ToggleLineNumbers();
    void ToggleWordWrap();
    // A new tab width, the top line kept at the top.
    void SetTabWidth(int nTabChars);
    // Whether the file is written with UNIX line ends from now on.
    void setUnixFile(bool unixFile) { bUnixFile = unixFile; }
    void ZoomIn();
    void ZoomOut();
    // Shows the report on the editor font in place of the text while a box is open.
    void FontCharacteristics();
    void SelectAll();
    // The platform's beep: a request that cannot apply.
    void Beep();

    int lineHeight() const { return nLineHeight; }
    int charWidth() const { return nCharWidth; }
    int marginChars() const { return nMarginChars; }
    // "\tLn %d, Col %d" of the selection start, worked out when it is read.
    const std::string& lnColText() const;
    // The logical (LF-ended) line of an offset, 0-based, and where it starts.
    int textLineOf(int offset) const { return control_.textLineFromChar(offset); }
    int textLineStart(int line) const { return control_.textLineIndex(line); }

    // Where the editing state of files is kept; none keeps nothing.
    void setFileStatusStore(const FileStatusStore* store) { fileStatus_ = store; }
    // The initial selection from the command line.
    void setInitialSelection(int start, int end) { nInitSelStart = start, nInitSelEnd = end; }

    // ---- events from the widget ----
    // After the control has handled a key.
    void OnKeyDown(int virtualKey, int modifiers);
    // A wheel turn; true when the view used it (zoom), so the control must not scroll.
    bool OnMouseWheel(int delta, int modifiers, bool mouseButtonsHeld);
    void OnSize(int width, int height);
    // Whether a Tab typed now belongs to the view's block indent.
    bool OnTabKey(bool shift);
    // A double click: the view selects the word itself.
    void OnDoubleClick();
    // After the control has handled a click or a drag.
    void OnMouseDown();

    // ---- repainting ----
    // Called (through the UI queue) when the margin or the overlays may have changed.
    void setRepaintHandler(std::function<void()> handler) { repaint_ = std::move(handler); }
    // Called when the line and column may have changed since they were last
    // read, so that their pane asks again.
    void setLnColListener(std::function<void()> listener) { lnColListener_ = std::move(listener); }
    // Called after the font changed, with the new character size.
    void setFontListener(std::function<void(int charWidth, int lineHeight)> listener) {
        fontListener_ = std::move(listener);
    }
    // Widens the margin to fit " %d " of a line number; true when it changed.
    bool FitMarginTo(int bottomLineNumber);

    // ---- DocumentView ----
    void adoptLoadedText(LoadedText&& loaded) override;
    TextPieces textPieces() override { return controlText(control_); }
    void emptyText() override;
    void resetLineEnds() override;
    bool readOnly() const override { return IsReadOnly(); }
    void setReadOnly(bool value) override { SetReadOnly(value); }
    void setControlModified(bool modified) override { control_.setModify(modified); }
    void storeFileState() override;
    void initialUpdate() override;
    void originChanged(const DocumentOrigin& origin, bool saved) override;

    RecoveryJournal& journal() { return journal_; }
    TypingAssists& typing() { return typing_; }
    SyntaxColouring& syntax() { return syntax_; }
    // The tag whose name the caret stands in and its partner, framed on the
    // screen; found once per caret move.
    const std::optional<TagPair>& partnerTags() const { return partner_; }
    // Shows a text recovered from a journal of origin, unsaved, with the
    // caret at caret, and keeps it in a journal of its own at once. The
    // document names the file first.
    void adoptRecovered(std::string&& text, std::size_t caret, const DocumentOrigin& origin);

private:
    // EditObserver
    void onUpdate() override { AfterChange(); }
    // Ln/Col and the partner tags follow the caret wherever it moves, whoever moves it.
    void onSelectionChange() override {
        UpdateLnCol();
        findPartnerTags();
    }
    void findPartnerTags();
    void onHScroll() override;
    void onVScroll() override;

    void registerCommands();
    void registerStatusPanes();
    void scrollOffsetToTop(int offset);
    // Zoom to the size given, or beep when there is none.
    void zoomTo(std::optional<int> pointSize);
    int topOffset();
    void applyInitialSelection();
    void restoreFileState();
    void reportStrayCarriageReturns();

    Platform& platform_;
    CommandRouter& router_;
    FontFactory& fonts_;
    CHemlowHTMLDoc& document_;
    EditorSettings settings_;
    EditControl control_;
    RecoveryJournal journal_;
    ByteCount carriageReturns_{control_, '\r'};
    Bookmarks bookmarks_{control_};
    BookmarkCommands bookmarkCommands_;
    FindEngine find_;
    UndoCommands undo_;
    ClipboardCommands clipboard_;
    GuideCommands guides_;
    TypingAssists typing_{control_, settings_};
    std::optional<TagPair> partner_;
    std::string partnerScratch_;  // the partner search's bytes when they lie in more than one piece
    SyntaxColouring syntax_;
    std::unique_ptr<HtmlCommands> html_;
    std::unique_ptr<TextToolCommands> textTools_;
    std::unique_ptr<InsertCommands> insertions_;
    std::unique_ptr<CharacterCommands> characters_;
    std::unique_ptr<GoToCommands> goTo_;
    std::unique_ptr<FindInFilesCommands> findInFiles_;
    std::unique_ptr<FileCommands> fileCommands_;
    std::unique_ptr<HelperPrograms> helperPrograms_;
    std::unique_ptr<PrintCommands> printing_;
    std::unique_ptr<HtmlExportCommand> htmlExport_;

    int nLineHeight = 0;
    int nCharWidth = 0;
    int nTopOffset = 0;
    int nHScrollPos = 0;
    int nVScrollPos = 0;
    int nMarginChars = 0;
    mutable std::string strLnCol;
    mutable bool lnColStale_ = true;
    int bUnixFile = 0;
    int nStrayCRs = 0;
    int nInitSelStart = 0;
    int nInitSelEnd = 0;
    bool repaintPosted_ = false;
    // Where the margin last changed width: the top line's offset and the length.
    int marginFitTop_ = -1;
    int marginFitLength_ = -1;
    std::function<void()> repaint_;
    std::function<void()> lnColListener_;
    std::function<void(int, int)> fontListener_;
    const FileStatusStore* fileStatus_ = nullptr;
};

}  // namespace tagloom

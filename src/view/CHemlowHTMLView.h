#pragma once
// The editor view: the hub that owns the edit control and one component per
// feature, holds the settings, and routes the view's commands. It knows no
// widget; the Qt front end paints it and forwards keys and the mouse to it.
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "document/DocumentView.h"
#include "platform/Platform.h"
#include "settings/EditorSettings.h"
#include "view/EditControl.h"
#include "view/LineCounts.h"
#include "view/UndoArchive.h"
#include "html/TextTools.h"
#include "view/ViewRules.h"

namespace tagloom {

class CHemlowHTMLDoc;
class CommandRouter;
class FileStatusStore;
class FontFactory;
class FileCommands;
class HtmlCommands;

// The guides and colour features drawn over the text.
struct ViewGuides {
    int nColumnGuideX = -1;  // pixels from the text's left edge; -1 off
    int bLineGuide = 0;
    int nGuideTopY = 0;
    int nGuideBottomY = 0;
    int nGuideTopLine = 0;
    int bPickColor = 0;
    Rgb clrFlashSaved;
    int nFlashTicks = 0;
    std::string strColor;  // the COLOR pane's text
};

class CHemlowHTMLView : public DocumentView, private EditObserver, private UndoTarget {
public:
    CHemlowHTMLView(Platform& platform, CommandRouter& router, FontFactory& fonts, CHemlowHTMLDoc& document);
    // Writes the settings back.
    ~CHemlowHTMLView() override;
    CHemlowHTMLView(const CHemlowHTMLView&) = delete;
    CHemlowHTMLView& operator=(const CHemlowHTMLView&) = delete;

    EditControl& control() { return control_; }
    UndoArchive& undo() { return undo_; }

    // ---- steps other parts call ----
    void ApplyFont();
    void ApplyViewSettings();
    void SetReadOnly(bool readOnly);
    void ToggleReadOnly() { SetReadOnly(!bReadOnly); }
    void ToggleLineNumbers();
    void ToggleWordWrap();
    void CenterCaretLine();
    void RevealSelection();
    void AfterChange();
    void UpdateLnCol();
    bool IsReadOnly() const { return bReadOnly != 0; }
    std::string GetSelectedText() const;
    void ScrollToCursor();
    void ZoomIn();
    void ZoomOut();
    // Shows the report on the editor font in place of the text while a box is open.
    void FontCharacteristics();
    // Indents (or outdents) the lines of the selection by one tab, as one change.
    void TabOver(bool outdent);
    // Replaces the whole text as one undo step (the formatters' way).
    void ReplaceWholeText(std::string&& text);

    // ---- guides and colours ----
    void ToggleColumnGuide();
    void ToggleLineGuide();
    void ColorFromText();
    // Shows a colour: its "#rrggbb" on the clipboard and in the COLOR pane,
    // and a flash of the status bar in it.
    void ShowColor(const Rgb& color);
    // One tick of the flash timer: swaps the status bar's colour back and forth.
    void OnFlashTimer();
    // Esc: ends the colour features and clears the marks.
    void ClearMarks();
    void SelectAll();

    // How the view reaches the status bar's colour and its flash timer.
    struct StatusBarHost {
        std::function<Rgb()> background;
        std::function<void(const Rgb&)> setBackground;
        std::function<void()> resetBackground;  // the desktop's own colour
        std::function<void(bool)> runFlashTimer;
        std::function<void(bool)> captureMouse;  // Color Picker: the next click anywhere comes here
    };
    void setStatusBarHost(StatusBarHost host) { statusBar_ = std::move(host); }

    // Where the editing state of files is kept; none keeps nothing.
    void setFileStatusStore(const FileStatusStore* store) { fileStatus_ = store; }

    // ---- the initial selection from the command line ----
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
    // Called after the font changed, with the new character size.
    void setFontListener(std::function<void(int charWidth, int lineHeight)> listener) {
        fontListener_ = std::move(listener);
    }
    void postRepaint();
    // Widens the margin to fit " %d " of a line number; true when it changed.
    bool FitMarginTo(int bottomLineNumber);

    // ---- DocumentView ----
    void adoptLoadedText(LoadedText&& loaded) override;
    void emptyText() override;
    void resetLineEnds() override;
    std::string_view text() override;
    bool unixFile() const override { return bUnixFile != 0; }
    bool readOnly() const override { return bReadOnly != 0; }
    void setReadOnly(bool value) override { SetReadOnly(value); }
    void setControlModified(bool modified) override { control_.setModify(modified); }
    void storeFileState() override;
    void initialUpdate() override;

    // The logical (LF-ended) line of an offset, 0-based, and where it starts.
    int textLineOf(int offset) const;
    int textLineStart(int line) const;

    EditorSettings settings;
    int len = 0;
    int bReadOnly = 0;
    int nLineHeight = 0;
    int nCharWidth = 0;
    int nTopOffset = 0;
    int nHScrollPos = 0;
    int nVScrollPos = 0;
    int nMarginChars = 0;
    int nLines = 1;
    int nBookmarks = 0;
    std::string strLnCol;
    int bUnixFile = 0;
    int nStrayCRs = 0;
    int nGotoLine = 0;
    int bMarkHighlight = 0;
    std::string strMarkText;
    std::vector<std::string> lifoTexts;
    ViewGuides guides;

private:
    // EditObserver
    void onChange(const TextChange& change) override;
    void onUpdate() override;
    void onHScroll() override;
    void onVScroll() override;
    // UndoTarget
    int textLength() const override { return control_.length(); }
    void getSelection(int& start, int& end) const override { control_.getSel(start, end); }
    void setSelection(int start, int end) override { control_.setSel(start, end); }
    void replaceSelection(std::string_view text) override { control_.replaceSel(text); }
    char charAt(int offset) const override { return control_.charAt(offset); }

    void registerCommands();
    void registerStatusPanes();
    void registerClipboardCommands();
    void registerGuideCommands();
    void registerTextTools();
    void runTool(TextTool tool);
    bool hasSelection() const;
    void scrollOffsetToTop(int offset);
    // Zoom to the size given, or beep when there is none.
    void zoomTo(std::optional<int> pointSize);
    int topOffset();
    void applyInitialSelection();
    void restoreFileState();
    void reportStrayCarriageReturns();
    void pushLifo(std::string text);
    void pasteFromLifo();

    Platform& platform_;
    CommandRouter& router_;
    FontFactory& fonts_;
    CHemlowHTMLDoc& document_;
    EditControl control_;
    UndoArchive undo_;
    LineCounts counts_;
    int nInitSelStart = 0;
    int nInitSelEnd = 0;
    bool repaintPosted_ = false;
    // Where the margin last changed width: the top line's offset and the length.
    int marginFitTop_ = -1;
    int marginFitLength_ = -1;
    bool wholeTextChange_ = false;
    std::function<void()> repaint_;
    std::function<void(int, int)> fontListener_;
    StatusBarHost statusBar_;
    const FileStatusStore* fileStatus_ = nullptr;
    std::unique_ptr<HtmlCommands> html_;
    std::unique_ptr<FileCommands> fileCommands_;
};

}  // namespace tagloom

#pragma once
// The find, mark and replace engine: Find Next with its search cycle, which
// wraps once around the text and then gives up, Mark All, Replace and
// Replace All, as the Find and Mark dialog asks for them, one request at a
// time. It owns the find state and the marks, and opens the dialog.
#include <optional>
#include <string>

#include "search/MarkCommands.h"
#include "search/TextMatcher.h"

namespace tagloom {

class CommandRouter;
class EditorView;
struct EditorSettings;
struct Platform;

// What the dialog sends with a button press.
struct FindRequest {
    static constexpr int kFindNext = 1009;
    static constexpr int kMarkAllOrReplaceAll = 1007;
    static constexpr int kReplace = 1014;

    std::string findText;  // never empty
    std::string replaceText;
    int bMatchCase = 0;
    int bWholeWord = 0;
    int bScrollCenter = 1;
    int bFindDirection = 1;  // 1 down, 0 up
    int button = 0;
    int bMarkMode = 1;
};

// The dialog as the engine sees it: whether it is open, and opening it.
class FindDialog {
public:
    virtual bool isOpen() const = 0;
    // In Find and Mark mode (else Replace), with the find box showing findText.
    virtual void open(bool markMode, const std::string& findText) = 0;

protected:
    ~FindDialog() = default;
};

class FindEngine {
public:
    FindEngine(EditorView& view, EditorSettings& settings, Platform& platform, CommandRouter& router);
    FindEngine(const FindEngine&) = delete;
    FindEngine& operator=(const FindEngine&) = delete;

    void setDialog(FindDialog* dialog) { dialog_ = dialog; }
    MarkCommands& marks() { return marks_; }

    // A request of the dialog. One that comes while another is still under
    // way (its message box open) is refused with a beep.
    void request(const FindRequest& request);
    // skipRejectedHere: a match that is not a whole word is passed over in
    // this call (Replace All) rather than in a posted one.
    void FindNext(bool skipRejectedHere = false);
    void MarkAll();

    int bLastFindHit = 0;
    // The search cycle: where it began; -1 when none is under way.
    int nOriginStart = -1;
    int nOriginEnd = -1;
    int nOriginTopLine = -1;
    int bSearchWrapped = 0;
    // How many occurrences the last Replace All replaced.
    int nLastReplaceCount = 0;

private:
    void Replace(const FindRequest& request);
    void ReplaceAll(const FindRequest& request);
    void openDialog(bool markMode);
    std::optional<TextMatch> search(const TextMatcher& what, int c, int n, bool down);
    // The find text in the document's encoding; nothing when it cannot be held there.
    std::optional<std::string> findBytes() const;
    const TextMatcher& matcher(const std::string& bytes) const;
    // Whether the selection is the request's find text.
    bool selectionIsFindText(const FindRequest& request) const;
    bool isWholeWord(int start, int end) const;
    void notFound();
    void endCycle();
    void postFindNext();

    EditorView& view_;
    EditorSettings& settings_;
    Platform& platform_;
    MarkCommands marks_;
    FindDialog* dialog_ = nullptr;
    bool busy_ = false;
    mutable std::optional<TextMatcher> matcher_;
    mutable std::string matcherBytes_;
    mutable bool matcherCase_ = false;
    mutable TextEncoding matcherEncoding_ = TextEncoding::Utf8;
};

}  // namespace tagloom

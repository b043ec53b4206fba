#include "search/FindEngine.h"

#include "commands/CommandRouter.h"
#include "commands/EditorView.h"
#include "platform/Platform.h"
#include "resources/CommandIds.h"
#include "search/ControlSearch.h"
#include "settings/EditorSettings.h"
#include "textmodel/AsciiText.h"
#include "textmodel/EditControl.h"

namespace tagloom {

namespace {

constexpr const char* kFindNextTitle = "Find Next";
constexpr const char* kMarkAllTitle = "Mark All Occurrences of This";
// How long one call of Find Next examines candidates before it posts the rest.
constexpr std::int64_t kSliceMs = 5;

// Raises a flag for as long as it lives.
class Busy {
public:
    explicit Busy(bool& flag) : flag_(flag) { flag_ = true; }
    ~Busy() { flag_ = false; }
    Busy(const Busy&) = delete;
    Busy& operator=(const Busy&) = delete;

private:
    bool& flag_;
};

}  // namespace

FindEngine::FindEngine(EditorView& view, EditorSettings& settings, Platform& platform, CommandRouter& router)
    : view_(view), settings_(settings), platform_(platform), marks_(view, router) {
    const auto canOpen = [this](bool replace) {
        return view_.control().length() != 0 && dialog_ && !dialog_->isOpen() && !(replace && view_.IsReadOnly());
    };
    router.add(cmd::FindAndMark, [this] { openDialog(true); },
               [canOpen](CommandState& s) { s.enabled = canOpen(false); });
    router.add(cmd::Replace, [this] { openDialog(false); }, [canOpen](CommandState& s) { s.enabled = canOpen(true); });
}

void FindEngine::openDialog(bool markMode) {
    if (!dialog_ || dialog_->isOpen()) return;
    const EditControl& control = view_.control();
    const std::string selected = control.selectedText();
    dialog_->open(markMode, selected.empty() ? settings_.strFindText : toUtf8(selected, control.encoding()));
}

std::optional<std::string> FindEngine::findBytes() const {
    return fromUtf8(settings_.strFindText, view_.control().encoding());
}

// Kept from one call to the next: a Replace All asks for the same one at every step.
const TextMatcher& FindEngine::matcher(const std::string& bytes) const {
    const bool matchCase = settings_.bMatchCase != 0;
    const TextEncoding encoding = view_.control().encoding();
    if (!matcher_ || matcherBytes_ != bytes || matcherCase_ != matchCase || matcherEncoding_ != encoding) {
        matcher_.emplace(bytes, matchCase, encoding);
        matcherBytes_ = bytes;
        matcherCase_ = matchCase;
        matcherEncoding_ = encoding;
    }
    return *matcher_;
}

void FindEngine::request(const FindRequest& request) {
    if (busy_) {
        platform_.desktop.beep();
        return;
    }
    Busy busy(busy_);
    settings_.strFindText = request.findText;
    settings_.bMatchCase = request.bMatchCase;
    settings_.bWholeWord = request.bWholeWord;
    settings_.bScrollCenter = request.bScrollCenter;
    settings_.bFindDirection = request.bFindDirection;
    if (request.button == FindRequest::kFindNext)
        FindNext();
    else if (request.button == FindRequest::kMarkAllOrReplaceAll && request.bMarkMode)
        MarkAll();
    else if (request.button == FindRequest::kReplace)
        Replace(request);
    else if (request.button == FindRequest::kMarkAllOrReplaceAll)
        ReplaceAll(request);
    else
        platform_.desktop.beep();
}

bool FindEngine::isWholeWord(int start, int end) const {
    const EditControl& control = view_.control();
    return !(start > 0 && isWordChar(control.charAt(start - 1))) &&
           !(end < control.length() && isWordChar(control.charAt(end)));
}

void FindEngine::postFindNext() {
    platform_.uiQueue.post([this] { FindNext(); });
}

void FindEngine::endCycle() {
    bSearchWrapped = 0;
    nOriginStart = nOriginEnd = nOriginTopLine = -1;
}

// Searching up, a hit ends at or before where the search began, as a hit
// found down begins at or after it: the occurrence just before the caret is
// found, and a one-character text is found at every place.
std::optional<TextMatch> FindEngine::search(const TextMatcher& what, int c, int n, bool down) {
    EditControl& control = view_.control();
    if (down) return findForward(control, what, c);
    for (int from = std::min(c, control.length()) - n; from >= 0;) {
        const std::optional<TextMatch> found = findBackward(control, what, from);
        if (!found || static_cast<int>(found->start + found->length) <= c) return found;
        from = static_cast<int>(found->start) - 1;
    }
    return std::nullopt;
}

// A match that is not a whole word is passed over, and the next candidate
// examined, for up to kSliceMs; then the caret moves past the last one and a
// posted call goes on, so a long skip keeps the window responsive. Within
// Replace All the skip goes on in the same call instead, so the loop runs to
// the end of the text.
void FindEngine::FindNext(bool skipRejectedHere) {
    EditControl& control = view_.control();
    const int length = control.length();
    const std::optional<std::string> bytes = findBytes();
    const int n = static_cast<int>(bytes ? bytes->size() : settings_.strFindText.size());
    if (length < n) {
        platform_.desktop.beep();
        bLastFindHit = 0;
        return;
    }
    if (nOriginStart < 0) {
        const Selection origin = control.selection();
        nOriginStart = origin.start;
        nOriginEnd = origin.end;
        nOriginTopLine = control.firstVisibleLine();
    }
    const bool down = settings_.bFindDirection != 0;
    const Selection selection = control.selection();
    int c = down ? selection.end : selection.start;
    control.setSel(c, c);
    control.scrollCaret();

    std::optional<TextMatch> found;
    if (bytes) {
        BusyCursor busyCursor(platform_.desktop);
        const std::int64_t sliceEnd = platform_.clock.nowMs() + kSliceMs;
        const TextMatcher& what = matcher(*bytes);
        while ((found = search(what, c, n, down))) {
            const int hs = static_cast<int>(found->start), he = static_cast<int>(found->start + found->length);
            if (!settings_.bWholeWord || isWholeWord(hs, he)) break;
            if (!down && hs == 0) {
                found.reset();  // nothing lies above a rejected match at the start
                break;
            }
            c = down ? he : hs;
            if (skipRejectedHere || platform_.clock.nowMs() < sliceEnd) continue;
            bLastFindHit = 0;
            control.setSel(c, c);
            control.scrollCaret();
            postFindNext();
            view_.postRepaint();
            return;
        }
    }
    if (found) {
        control.setSel(static_cast<int>(found->start), static_cast<int>(found->start + found->length));
        control.scrollCaret();
        view_.RevealSelection();
        view_.CenterCaretLine();
        endCycle();
        bLastFindHit = 1;
        view_.UpdateLnCol();
        view_.postRepaint();
        return;
    }
    bLastFindHit = 0;
    control.setSel(c, c);
    control.scrollCaret();
    if (!bSearchWrapped) {
        const Message question{"Continue searching for  \"" + settings_.strFindText + "\"  from the " +
                                   (down ? "Top" : "Bottom") + "?",
                               kFindNextTitle, Buttons::YesNoCancel, Icon::Question, 0};
        if (platform_.prompter.ask(question) != Answer::Yes) return;
        const int caret = down ? 0 : length + 1;
        control.setSel(caret, caret);
        postFindNext();
        bSearchWrapped = 1;
        return;
    }
    notFound();
}

void FindEngine::notFound() {
    platform_.prompter.ask({"\" " + settings_.strFindText + " \" not found in the entire document !", kFindNextTitle,
                            Buttons::Ok, Icon::Warning, 0});
    EditControl& control = view_.control();
    control.setSel(nOriginStart, nOriginEnd);
    control.scrollCaret();
    control.lineScroll(0, nOriginTopLine - control.firstVisibleLine());
    endCycle();
    view_.UpdateLnCol();
}

// Every start offset is tried, so overlapping occurrences all count.
void FindEngine::MarkAll() {
    EditControl& control = view_.control();
    const int start = control.selection().start;
    control.setSel(start, start);
    const std::optional<std::string> bytes = findBytes();
    if (settings_.strFindText.empty() || (bytes && control.length() < static_cast<int>(bytes->size()))) return;

    int count = 0;
    std::size_t first = 0;
    if (bytes) {
        BusyCursor busyCursor(platform_.desktop);
        forEachMatch(control, matcher(*bytes), [&](const TextMatch& found) {
            const int hs = static_cast<int>(found.start);
            if (settings_.bWholeWord && !isWholeWord(hs, hs + static_cast<int>(found.length))) return;
            if (count++ == 0) first = found.start;
        });
    }
    if (count == 0) {
        platform_.prompter.ask({"No occurrences of \"" + settings_.strFindText + "\" were found !", kMarkAllTitle,
                                Buttons::Ok, Icon::Warning, 0});
        if (marks_.bMarkHighlight) {
            marks_.bMarkHighlight = 0;
            view_.postRepaint();
        }
        return;
    }
    marks_.strMarkText = settings_.strFindText;
    marks_.bMarkHighlight = 1;
    view_.postRepaint();
    const Message question{"Found " + std::to_string(count) + " occurrences of \"" + settings_.strFindText +
                               "\" .\nGo to the first occurrence?",
                           kMarkAllTitle, Buttons::YesNoCancel, Icon::Question, 0};
    if (platform_.prompter.ask(question) != Answer::Yes) return;
    control.setSel(static_cast<int>(first), static_cast<int>(first));
    control.scrollCaret();
    view_.CenterCaretLine();
    view_.UpdateLnCol();
}

bool FindEngine::selectionIsFindText(const FindRequest& request) const {
    const EditControl& control = view_.control();
    const std::optional<std::string> bytes = fromUtf8(request.findText, control.encoding());
    if (!bytes) return false;
    const std::string selected = control.selectedText();
    return !selected.empty() && matcher(*bytes).matchAt(selected, 0) == selected.size();
}

void FindEngine::Replace(const FindRequest& request) {
    EditControl& control = view_.control();
    const std::optional<std::string> replacement = fromUtf8(request.replaceText, control.encoding());
    if (view_.IsReadOnly() || !replacement || !selectionIsFindText(request)) {
        platform_.desktop.beep();
        return;
    }
    const int start = control.selection().start;
    control.replaceSel(*replacement, true);
    control.setSel(start, control.caret());
}

// Goes on from the occurrence the last Find Next selected, in its direction;
// a replacement is never searched again.
void FindEngine::ReplaceAll(const FindRequest& request) {
    EditControl& control = view_.control();
    const std::optional<std::string> replacement = fromUtf8(request.replaceText, control.encoding());
    nLastReplaceCount = 0;
    if (view_.IsReadOnly() || !bLastFindHit || !replacement) {
        platform_.desktop.beep();
        return;
    }
    const int lineNumbers = settings_.bShowLineNum;
    settings_.bShowLineNum = 0;
    BusyCursor busyCursor(platform_.desktop);  // one for the whole loop, not one per search
    int lastStart = 0, lastEnd = 0;
    do {
        if (!selectionIsFindText(request)) {
            platform_.desktop.beep();
            settings_.bShowLineNum = lineNumbers;
            return;
        }
        lastStart = control.selection().start;
        control.replaceSel(*replacement, true);
        ++nLastReplaceCount;
        lastEnd = control.caret();
        if (!settings_.bFindDirection) control.setSel(lastStart, lastStart);
        FindNext(true);
    } while (bLastFindHit);
    control.setSel(lastStart, lastEnd);
    control.scrollCaret();
    settings_.bShowLineNum = lineNumbers;
    view_.UpdateLnCol();
    view_.postRepaint();
}

}  // namespace tagloom

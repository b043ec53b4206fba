#pragma once
// The view's HTML commands: the five tag-navigation commands and HTML Format,
// with the HTML-document test that enables them, kept cheap enough for the
// menu and toolbar updates that run after every key.
#include <string_view>

#include "html/HtmlFormatter.h"
#include "html/TagNavigator.h"

namespace tagloom {

class CHemlowHTMLView;
class CommandRouter;
class EditControl;
struct Platform;
struct TextChange;

// Whether the edit control's text is an HTML document, answered without
// reading the whole text again after an ordinary edit. The answer is always
// what the navigator's whole-text test gives, whatever the edits before:
// - while the text is a document, an edit that leaves both markers in place
//   keeps it one, and two short reads show that (the opening marker's place
//   moves with the edits in front of it, the closing one's is counted from
//   the end);
// - while it is not, and not merely for being short, an edit can only make
//   it one by forming a marker, and such a marker lies in the edited bytes
//   and the five on either side.
// Anything else is settled by the whole test, once, at the next question.
class HtmlDocumentTest {
public:
    explicit HtmlDocumentTest(TagNavigator& navigator) : navigator_(navigator) {}

    bool IsHtmlDocument(EditControl& control);
    // After an edit the control notified.
    void changed(const EditControl& control, const TextChange& change);
    // After the text was replaced without a notification.
    void forget() { known_ = false; }

private:
    TagNavigator& navigator_;
    bool known_ = false;
    bool answer_ = false;
};

class HtmlCommands {
public:
    HtmlCommands(CHemlowHTMLView& view, Platform& platform, CommandRouter& router);
    HtmlCommands(const HtmlCommands&) = delete;
    HtmlCommands& operator=(const HtmlCommands&) = delete;

    bool IsHtmlDocument() { return test_.IsHtmlDocument(control()); }
    void textChanged(const TextChange& change) { test_.changed(control(), change); }
    void textReplaced() { test_.forget(); }

    void HtmlFormat();

private:
    EditControl& control();
    std::string_view lockedText();
    // Caret to the start of the range and into view, the range selected, the
    // caret line centred; the Ln/Col pane follows, as a command key is not a
    // key press the view sees.
    void selectFound(Selection selection);
    void showSearchResult(const TagSearchResult& result);
    void askToWrapAround(const WrapAround& wrap);
    void postCommand(int command);
    void SelectMatchingTags();
    void offerCensus(const TagCensus& census);

    CHemlowHTMLView& view_;
    Platform& platform_;
    CommandRouter& router_;
    TagNavigator navigator_;
    HtmlDocumentTest test_{navigator_};
    HtmlFormatter formatter_;
};

}  // namespace tagloom

#pragma once
// The HTML commands: the five tag-navigation commands and HTML Format, with
// the HTML-document test that enables them, kept cheap enough for the menu
// and toolbar updates that run after every key.
#include <string_view>

#include "html/HtmlFormatter.h"
#include "html/TagPresence.h"
#include "html/TagNavigator.h"
#include "textmodel/EditControl.h"

namespace tagloom {

class CommandRouter;
class EditorView;
struct EditorSettings;
struct Platform;

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
class HtmlDocumentTest : private EditObserver {
public:
    HtmlDocumentTest(EditControl& control, TagNavigator& navigator);
    ~HtmlDocumentTest() override;
    HtmlDocumentTest(const HtmlDocumentTest&) = delete;
    HtmlDocumentTest& operator=(const HtmlDocumentTest&) = delete;

    bool IsHtmlDocument();

private:
    void onChange(const TextChange& change) override;
    void onTextReset() override { known_ = false; }

    EditControl& control_;
    TagNavigator& navigator_;
    bool known_ = false;
    bool answer_ = false;
};

class HtmlCommands {
public:
    HtmlCommands(EditorView& view, const EditorSettings& settings, Platform& platform, CommandRouter& router);
    HtmlCommands(const HtmlCommands&) = delete;
    HtmlCommands& operator=(const HtmlCommands&) = delete;

    // The text holds "<html" and "/html>", or, where the user lets the HTML
    // tools work on any text, a tag.
    bool IsHtmlDocument();

    void HtmlFormat();

private:
    EditControl& control();
    // Caret to the start of the range and into view, the range selected, the
    // caret line centred; the Ln/Col pane follows, as a command key is not a
    // key press the view sees.
    void selectFound(Selection selection);
    void showSearchResult(const TagSearchResult& result);
    void askToWrapAround(const WrapAround& wrap);
    void runSearch(TagSearch search);
    void postSearch(TagSearch search);
    void SelectMatchingTags();
    void offerCensus(const TagCensus& census);

    EditorView& view_;
    const EditorSettings& settings_;
    Platform& platform_;
    CommandRouter& router_;
    TagNavigator navigator_;
    HtmlDocumentTest test_;
    TagPresenceTest tags_;
    HtmlFormatter formatter_;
};

}  // namespace tagloom

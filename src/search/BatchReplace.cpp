#include "search/BatchReplace.h"

#include "commands/CommandRouter.h"
#include "commands/EditorView.h"
#include "platform/HeadlessPlatform.h"
#include "search/FindEngine.h"
#include "settings/EditorSettings.h"
#include "textmodel/EditControl.h"
#include "textmodel/TextEncoding.h"

namespace tagloom {

namespace {

// The view of a window that is never shown: the control alone.
class WindowlessView final : public EditorView {
public:
    explicit WindowlessView(std::string&& text) { control_.adoptText(std::move(text)); }

    EditControl& control() override { return control_; }
    std::string_view text() override { return {control_.lock(), static_cast<std::size_t>(control_.length())}; }
    bool IsReadOnly() const override { return false; }
    bool unixFile() const override { return false; }
    int bookmarkCount() const override { return 0; }
    bool lineGuide() const override { return false; }
    std::string documentPath() const override { return {}; }
    bool isHtmlDocument() override { return false; }
    void RevealSelection() override {}
    void CenterCaretLine() override {}
    void ScrollCaretLineToMiddle() override {}
    void UpdateLnCol() override {}
    void postRepaint() override {}
    void ReplaceWholeText(std::string&& text) override { control_.exchangeText(std::move(text)); }
    void ResetUndo() override {}

private:
    EditControl control_;
};

}  // namespace

ReplaceOutcome replaceAllInText(std::string text, const ReplaceOrder& order) {
    const TextEncoding encoding = encodingOf(text);
    if (!fromUtf8(order.findText, encoding) || !fromUtf8(order.replaceText, encoding))
        return {ReplaceOutcome::Kind::Unencodable, 0, std::move(text)};

    HeadlessPlatform headless(Answer::No);
    CommandRouter router;
    EditorSettings settings;
    WindowlessView view(std::move(text));
    FindEngine engine(view, settings, headless.platform(), router);
    EditControl& control = view.control();
    const int caret = order.up ? control.length() : 0;
    control.setSel(caret, caret);

    FindRequest request;
    request.findText = order.findText;
    request.replaceText = order.replaceText;
    request.bMatchCase = order.matchCase;
    request.bWholeWord = order.wholeWord;
    request.bScrollCenter = 0;
    request.bFindDirection = order.up ? 0 : 1;
    request.bMarkMode = 0;
    request.button = FindRequest::kFindNext;
    engine.request(request);
    headless.runQueuedCalls();  // a Find Next that passed over a part of a word goes on here
    int replacements = 0;
    if (engine.bLastFindHit) {
        request.button = FindRequest::kMarkAllOrReplaceAll;
        engine.request(request);
        headless.runQueuedCalls();
        replacements = engine.nLastReplaceCount;
    }
    return {ReplaceOutcome::Kind::Done, replacements, std::string(view.text())};
}

std::string commandLineText(std::string_view argument) {
    std::string text;
    text.reserve(argument.size());
    for (std::size_t i = 0; i < argument.size(); ++i) {
        const char c = argument[i];
        const char next = i + 1 < argument.size() ? argument[i + 1] : '\0';
        if (c == '\\' && next == 'n') {
            text += "\r\n";
            ++i;
        } else if (c == '\\' && next == '\\') {
            text += '\\';
            ++i;
        } else if (c == '\r' && next == '\n') {
            text += "\r\n";
            ++i;
        } else if (c == '\n') {
            text += "\r\n";
        } else {
            text += c;
        }
    }
    return text;
}

}  // namespace tagloom

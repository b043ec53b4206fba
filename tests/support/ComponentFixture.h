#pragma once
// A command component without the editor view: an edit control with a
// fixed-pitch font, the fake platform, a router, and a stand-in for the view
// that counts the steps a component asks of it.
#include <string>

#include "commands/CommandRouter.h"
#include "commands/EditorView.h"
#include "support/FakePlatform.h"
#include "textmodel/EditControl.h"

namespace tagloom::test {

class StandInView : public EditorView {
public:
    StandInView() {
        control_.setFontMetrics(std::make_unique<FixedPitchMetrics>(8, 16));
        control_.setClientSize(800, 600);
    }

    EditControl& control() override { return control_; }
    std::string_view text() override { return {control_.lock(), static_cast<std::size_t>(control_.length())}; }
    bool IsReadOnly() const override { return control_.isReadOnly(); }
    bool unixFile() const override { return false; }
    int bookmarkCount() const override { return 0; }
    bool lineGuide() const override { return lineGuideShown; }
    std::string documentPath() const override { return path; }
    bool isHtmlDocument() override { return htmlDocument; }
    void RevealSelection() override { ++reveals; }
    void CenterCaretLine() override {}
    void ScrollCaretLineToMiddle() override { ++scrollsToMiddle; }
    void UpdateLnCol() override {}
    void postRepaint() override {}
    void ReplaceWholeText(std::string&& text) override {
        ++wholeTextReplacements;
        control_.exchangeText(std::move(text));
        control_.setSel(0, 0);
    }
    void ResetUndo() override {}

    bool lineGuideShown = false;
    std::string path;
    bool htmlDocument = false;
    int reveals = 0;
    int scrollsToMiddle = 0;
    int wholeTextReplacements = 0;

private:
    EditControl control_;
};

struct ComponentFixture {
    // The text, with the selection [start, end).
    void load(const std::string& text, int start = 0, int end = 0) {
        view.control().setText(text);
        view.control().setSel(start, end);
    }
    std::string text() { return std::string(view.text()); }

    FakePlatform fake;
    CommandRouter router;
    StandInView view;
};

}  // namespace tagloom::test

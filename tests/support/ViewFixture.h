#pragma once
// An editor view without a window: fake platform, fixed-pitch fonts, a
// document, and helpers to load bytes and run commands by id.
#include <memory>
#include <string>

#include "commands/CommandRouter.h"
#include "document/RecentFileList.h"
#include "document/CHemlowHTMLDoc.h"
#include "document/LineEnds.h"
#include "support/FakePlatform.h"
#include "view/CHemlowHTMLView.h"
#include "view/FontFactory.h"

namespace tagloom::test {

// Fonts whose characters are all as wide as 6/10 of the point size, on lines
// 12/10 of it high; every font made is counted.
class FixedPitchFonts : public FontFactory {
public:
    std::unique_ptr<const TextMetrics> createFont(const std::string& face, int pointSize) override {
        if (face.empty() || pointSize < 1) return nullptr;
        ++created;
        return std::make_unique<FixedPitchMetrics>(std::max(1, pointSize * 6 / 10), std::max(1, pointSize * 12 / 10));
    }
    FontFacts describeFont(const std::string&, int pointSize) override {
        const int width = 26 * std::max(1, pointSize * 6 / 10);
        return {width, width, width, "ANSI_CHARSET", pointSize, true, true, false};
    }
    int created = 0;
};

struct ViewFixture {
    // `realFonts` (the desktop's) replaces the fixed-pitch stand-ins, for views painted in a widget.
    explicit ViewFixture(FontFactory* realFonts = nullptr) : recent(4), document(fake.platform, recent) {
        view = std::make_unique<CHemlowHTMLView>(fake.platform, router, realFonts ? *realFonts : fonts, document);
        document.attachView(view.get());
        view->control().setClientSize(800, 600);
        document.New();
        fake.uiQueue.drain();
    }
    ~ViewFixture() { document.attachView(nullptr); }

    // Loads a file's bytes as an open does, and runs the initial update.
    void load(const std::string& bytes) {
        view->adoptLoadedText(toEditorText(bytes));
        view->initialUpdate();
        fake.uiQueue.drain();
    }
    EditControl& control() { return view->control(); }
    std::string text() { return std::string(view->text()); }
    std::string pane(int id) { return router.query(id).text.value_or(""); }
    void select(int start, int end) { control().setSel(start, end); }

    FakePlatform fake;
    CommandRouter router;
    FixedPitchFonts fonts;
    RecentFileList recent;
    CHemlowHTMLDoc document;
    std::unique_ptr<CHemlowHTMLView> view;
};

}  // namespace tagloom::test

#pragma once
// The marks of Mark All: the marked text and whether its occurrences are
// highlighted in yellow. Occurrences are not stored; the painter finds them
// in the visible text at every repaint (see findMarks).
#include <string>

namespace tagloom {

class CommandRouter;
class EditorView;

class MarkCommands {
public:
    MarkCommands(EditorView& view, CommandRouter& router);
    MarkCommands(const MarkCommands&) = delete;
    MarkCommands& operator=(const MarkCommands&) = delete;

    // Whether the painter draws the marks now.
    bool shown() const { return bMarkHighlight != 0 && !strMarkText.empty(); }
    // Esc: the highlighting goes, the marked text stays for Mark Highlight.
    void clear() { bMarkHighlight = 0; }

    std::string strMarkText;
    int bMarkHighlight = 0;

private:
    EditorView& view_;
};

}  // namespace tagloom

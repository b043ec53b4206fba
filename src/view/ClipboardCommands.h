#pragma once
// Cut, Copy, Paste and Delete, and the LIFO buffer: every text cut or copied
// goes on top of it (ten at most), and Paste From LIFO takes the newest off.
// The clipboard takes up to kLargestCopy bytes: a copy holds the selection
// several times over on its way to the desktop (as UTF-8 text with the
// desktop's line ends, in the desktop's wide characters, as the editor's own
// bytes, in the LIFO buffer), so a page of a gigabyte selected whole would
// take gigabytes more and could bring the editor down with it. A larger Cut
// or Copy is refused with a message, and the text stays.
#include <string>
#include <vector>

namespace tagloom {

class Bookmarks;
class CommandRouter;
class EditorView;
struct Platform;

class ClipboardCommands {
public:
    static constexpr std::size_t kLifoDepth = 10;
    static constexpr int kLargestCopy = 64 << 20;

    ClipboardCommands(EditorView& view, Platform& platform, CommandRouter& router, Bookmarks& bookmarks);
    ClipboardCommands(const ClipboardCommands&) = delete;
    ClipboardCommands& operator=(const ClipboardCommands&) = delete;

    // Newest first.
    std::vector<std::string> lifoTexts;

private:
    void Cut();
    void Copy();
    void Paste();
    void PasteFromLifo();
    void pushLifo(std::string text);
    bool hasSelection() const;
    // Whether the selection fits the clipboard; when not, the user is told.
    bool selectionFits(const char* title);

    EditorView& view_;
    Platform& platform_;
    Bookmarks& bookmarks_;
};

}  // namespace tagloom

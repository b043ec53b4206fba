#pragma once
// Cut, Copy, Paste and Delete, and the LIFO buffer: every text cut or copied
// goes on top of it (ten at most), and Paste From LIFO takes the newest off.
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

    EditorView& view_;
    Platform& platform_;
    Bookmarks& bookmarks_;
};

}  // namespace tagloom

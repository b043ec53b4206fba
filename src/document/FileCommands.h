#pragma once
// The commands on the file behind the document rather than on its text:
// Delete, ReOpen, Show in Explorer and Send.
#include <optional>
#include <string>

namespace tagloom {

class CHemlowHTMLDoc;
class CommandRouter;
class EditorView;
struct EditorSettings;
struct Platform;

class FileCommands {
public:
    // The program that hands a file to the desktop's mail program.
    static constexpr const char* kMailProgram = "xdg-email";

    FileCommands(EditorView& view, const EditorSettings& settings, CHemlowHTMLDoc& document, Platform& platform,
                 CommandRouter& router);
    FileCommands(const FileCommands&) = delete;
    FileCommands& operator=(const FileCommands&) = delete;

    // Moves the file to the trash, or removes it from the disk where no
    // trash takes it; the text stays in the editor.
    void DeleteFile();
    // Throws the changes away and loads the file again.
    void ReOpen();
    // The file manager at the file; the path goes on the clipboard.
    void ShowInExplorer();
    // A copy of the current text, attached to a new mail.
    void Send();

private:
    // The title without the modified marker.
    std::string documentName() const;
    bool askUnlessConfirmOff(const std::string& text, const std::string& title);
    bool mailAvailable();

    EditorView& view_;
    const EditorSettings& settings_;
    CHemlowHTMLDoc& document_;
    Platform& platform_;
    std::optional<bool> mailAvailable_;
};

}  // namespace tagloom

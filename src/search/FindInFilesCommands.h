#pragma once
// The Find in Files command: the dialog's values kept between searches, the
// checks of what was entered, the search, the results, and Go To, which opens
// a found file in a new editor with the occurrence selected.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "search/FindInFiles.h"

namespace tagloom {

class CommandRouter;
class EditorView;
struct EditorSettings;
struct Platform;

// What the Find in Files dialog holds.
struct FindInFilesForm {
    bool matchCase = false;
    bool wholeWord = false;
    std::string fileSpec;
    std::string findText;
    std::string folder;
    int depth = 0;
};

// The windows of Find in Files, as the command sees them.
class FindInFilesWindows {
public:
    // The dialog, filled from `form`; the values entered when Find is pressed,
    // nothing on Cancel.
    virtual std::optional<FindInFilesForm> ask(const FindInFilesForm& form) = 0;
    // Runs the search away from the window, showing its progress when it
    // takes long, with a way to cancel it.
    virtual FindInFilesResult search(const FindInFilesRequest& request) = 0;
    // The results until the user closes them; Go To reports the start of the
    // selection in the text.
    virtual void showResults(const std::string& title, const std::string& text,
                             const std::function<void(int at)>& goTo) = 0;

protected:
    ~FindInFilesWindows() = default;
};

// Starts a new editor with the arguments (a path and its selection); the
// title heads the launcher's messages. False when nothing was started.
using NewEditorStarter = std::function<bool(const std::vector<std::string>& arguments, const std::string& title)>;

class FindInFilesCommands {
public:
    FindInFilesCommands(EditorView& view, EditorSettings& settings, Platform& platform, CommandRouter& router);
    FindInFilesCommands(const FindInFilesCommands&) = delete;
    FindInFilesCommands& operator=(const FindInFilesCommands&) = delete;

    void setWindows(FindInFilesWindows* windows) { windows_ = windows; }
    void setNewEditorStarter(NewEditorStarter starter) { startNewEditor_ = std::move(starter); }

    void FindInFiles();
    // Go To at a place of the results text.
    void GoTo(const std::string& results, int at);

    // Remembered for the rest of the run only.
    std::string strFifFind;
    std::string strFifFolder;  // ends with '/'

private:
    FindInFilesForm initialForm();
    void keep(const FindInFilesForm& form);

    EditorView& view_;
    EditorSettings& settings_;
    Platform& platform_;
    FindInFilesWindows* windows_ = nullptr;
    NewEditorStarter startNewEditor_;
};

}  // namespace tagloom

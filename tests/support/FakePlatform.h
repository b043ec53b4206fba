#pragma once
// A platform for tests: message boxes and dialogs are answered from a script,
// and every call is recorded so tests can check the exact texts and titles.
#include <deque>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "platform/Platform.h"
#include "support/MemorySettingsStore.h"

namespace tagloom {

// How a failed comparison of boxes shows them.
inline void PrintTo(const Message& m, std::ostream* out) {
    *out << "{\"" << m.text << "\", \"" << m.title << "\", buttons " << static_cast<int>(m.buttons) << ", icon "
         << static_cast<int>(m.icon) << ", default " << m.defaultButton << "}";
}

}  // namespace tagloom

namespace tagloom::test {

class FakePrompter : public Prompter {
public:
    Answer ask(const Message& message) override;
    std::deque<Answer> answers;     // given out in order
    std::vector<Message> messages;  // every box shown
    int unscripted = 0;             // boxes that found no answer (they got their default button)
};

class FakeDesktop : public Desktop {
public:
    void beep() override { ++beeps; }
    void setBusy(bool busy) override { busyDepth += busy ? 1 : -1; ++busyCalls; }
    // With a trash, the file leaves its place and its path is recorded.
    bool moveToTrash(const std::string& path) override;
    int beeps = 0;
    int busyDepth = 0;
    int busyCalls = 0;
    bool trashAvailable = true;
    std::vector<std::string> trashed;
};

// Holds the editor's bytes as they were put there; `encoding` is the
// encoding they came in.
class FakeClipboard : public Clipboard {
public:
    using Clipboard::setText;
    bool setText(const std::string& text, TextEncoding encoding) override;
    std::optional<std::string> text(TextEncoding wanted) const override;
    bool hasText() const override { return contents.has_value(); }
    std::optional<std::string> contents;
    TextEncoding encoding = TextEncoding::Utf8;
    bool available = true;
    int writes = 0;
};

class FakeLauncher : public Launcher {
public:
    struct Call {
        std::string kind;  // "launch", "openUrl", "runHelper", "showInFileManager"
        std::string target;
        std::vector<std::string> arguments;
    };
    LaunchResult launch(const std::string& program, const std::vector<std::string>& arguments) override;
    LaunchResult openUrl(const std::string& url) override;
    void runHelper(const std::string& program, const std::vector<std::string>& arguments, HelperDone done) override;
    void showInFileManager(const std::string& path, HelperDone done) override;
    bool isProgramAvailable(const std::string& program) const override;
    // Ends the helpers still running, in the order they started, each with
    // `result`; returns how many there were.
    int endHelpers();

    std::vector<Call> calls;
    LaunchResult result{true, {}};
    std::deque<HelperDone> runningHelpers;
    std::vector<std::string> availablePrograms;
};

class FakeFileDialogs : public FileDialogs {
public:
    std::optional<FileDialogResult> openFile(const FileDialogRequest& request) override;
    std::optional<FileDialogResult> saveFile(const FileDialogRequest& request) override;
    std::optional<std::string> chooseFolder(const std::string& title, const std::string& startFolder) override;

    // Answers in order; nothing means the user cancelled.
    std::deque<std::optional<FileDialogResult>> fileAnswers;
    std::deque<std::optional<std::string>> folderAnswers;
    std::vector<FileDialogRequest> requests;
    std::vector<std::string> kinds;  // "open", "save" or "folder" per call
};

class FakePrintDialogs : public PrintDialogs {
public:
    bool hasPrinter() const override { return printerPresent; }
    bool pageSetup(PageValues& values) override;
    bool printSetup(PageValues& values) override;

    bool printerPresent = true;
    // Each answer either cancels (nothing) or replaces the values shown with these.
    std::deque<std::optional<PageValues>> answers;
    std::vector<PageValues> shown;  // the values each dialog opened with
};

// Stands still unless tickMs is set: then every reading moves it on by that much.
class FakeClock : public Clock {
public:
    std::int64_t nowMs() const override { return now += tickMs; }
    mutable std::int64_t now = 1'000'000;
    std::int64_t tickMs = 0;
};

class FakeUiQueue : public UiQueue {
public:
    void post(std::function<void()> call) override { pending.push_back(std::move(call)); }
    // Runs queued calls, including those they queue, until none is left.
    int drain();
    std::deque<std::function<void()>> pending;
};

// Entry dialogs answered from a script: each answer is the value confirmed with
// OK, or nothing for Cancel; a dialog without an answer is cancelled.
class FakeTextDialogs : public TextDialogs {
public:
    std::optional<std::string> enterValue(const ValueEntry& entry) override;
    void showText(TextView kind, const std::string& title, const std::string& text) override;

    struct Shown {
        TextView kind;
        std::string title;
        std::string text;
    };
    std::deque<std::optional<std::string>> answers;
    std::vector<ValueEntry> entries;  // every entry dialog as it opened
    std::vector<Shown> shown;         // every text window
};

struct FakePlatform {
    FakePrompter prompter;
    FakeDesktop desktop;
    FakeClipboard clipboard;
    FakeLauncher launcher;
    FakeFileDialogs fileDialogs;
    FakePrintDialogs printDialogs;
    FakeClock clock;
    FakeUiQueue uiQueue;
    MemorySettingsStore settings;
    FakeTextDialogs textDialogs;

    Platform platform{prompter,     desktop, clipboard, launcher, fileDialogs,
                      printDialogs, clock,   uiQueue,   settings, textDialogs};
};

}  // namespace tagloom::test

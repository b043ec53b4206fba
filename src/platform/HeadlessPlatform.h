#pragma once
// The editor's services for work without a desktop, as the batch tools do it:
// every question gets one fixed answer, queued calls wait until the caller
// runs them, and nothing is shown, launched, kept on a clipboard, stored or
// moved to a trash.
#include <deque>
#include <functional>

#include "platform/Platform.h"

namespace tagloom {

class HeadlessPlatform {
public:
    explicit HeadlessPlatform(Answer answer) : prompter_(answer) {}
    HeadlessPlatform(const HeadlessPlatform&) = delete;
    HeadlessPlatform& operator=(const HeadlessPlatform&) = delete;

    Platform& platform() { return platform_; }
    // Runs queued calls, including those they queue, until none is left.
    void runQueuedCalls();

private:
    class FixedAnswer final : public Prompter {
    public:
        explicit FixedAnswer(Answer answer) : answer_(answer) {}
        Answer ask(const Message&) override { return answer_; }

    private:
        Answer answer_;
    };
    class Silent final : public Desktop {
    public:
        void beep() override {}
        void setBusy(bool) override {}
        bool moveToTrash(const std::string&) override { return false; }
    };
    class NoClipboard final : public Clipboard {
    public:
        bool setText(const std::string&, TextEncoding) override { return false; }
        std::optional<std::string> text(TextEncoding) const override { return std::nullopt; }
        bool hasText() const override { return false; }
    };
    class NoLauncher final : public Launcher {
    public:
        LaunchResult launch(const std::string&, const std::vector<std::string>&) override { return refused(); }
        LaunchResult openUrl(const std::string&) override { return refused(); }
        void runHelper(const std::string&, const std::vector<std::string>&, HelperDone done) override {
            done(refused());
        }
        void showInFileManager(const std::string&, HelperDone done) override { done(refused()); }
        bool isProgramAvailable(const std::string&) const override { return false; }

    private:
        static LaunchResult refused() { return {false, "no programs are started without a desktop"}; }
    };
    class NoFileDialogs final : public FileDialogs {
    public:
        std::optional<FileDialogResult> openFile(const FileDialogRequest&) override { return std::nullopt; }
        std::optional<FileDialogResult> saveFile(const FileDialogRequest&) override { return std::nullopt; }
        std::optional<std::string> chooseFolder(const std::string&, const std::string&) override {
            return std::nullopt;
        }
    };
    class NoPrintDialogs final : public PrintDialogs {
    public:
        bool hasPrinter() const override { return false; }
        bool pageSetup(PageValues&) override { return false; }
        bool printSetup(PageValues&) override { return false; }
    };
    class StoppedClock final : public Clock {
    public:
        std::int64_t nowMs() const override { return 0; }
    };
    class KeptCalls final : public UiQueue {
    public:
        void post(std::function<void()> call) override { calls.push_back(std::move(call)); }
        std::deque<std::function<void()>> calls;
    };
    class NoSettings final : public SettingsStore {
    public:
        int getInt(const std::string&, const std::string&, int defaultValue) const override { return defaultValue; }
        std::string getString(const std::string&, const std::string&, const std::string& defaultValue) const override {
            return defaultValue;
        }
        void setInt(const std::string&, const std::string&, int) override {}
        void setString(const std::string&, const std::string&, const std::string&) override {}
        void remove(const std::string&, const std::string&) override {}
        void flush() override {}
    };
    class NoTextDialogs final : public TextDialogs {
    public:
        std::optional<std::string> enterValue(const ValueEntry&) override { return std::nullopt; }
        void showText(TextView, const std::string&, const std::string&) override {}
    };

    FixedAnswer prompter_;
    Silent desktop_;
    NoClipboard clipboard_;
    NoLauncher launcher_;
    NoFileDialogs fileDialogs_;
    NoPrintDialogs printDialogs_;
    StoppedClock clock_;
    KeptCalls queue_;
    NoSettings settings_;
    NoTextDialogs textDialogs_;
    Platform platform_{prompter_, desktop_, clipboard_, launcher_, fileDialogs_,
                       printDialogs_, clock_, queue_, settings_, textDialogs_};
};

}  // namespace tagloom

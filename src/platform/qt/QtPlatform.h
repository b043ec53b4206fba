#pragma once
// The desktop services on Qt, bundled for the editor.
#include <QElapsedTimer>
#include <QPointer>
#include <QWidget>
#include <memory>

#include "platform/Platform.h"
#include "platform/qt/QtFileDialogs.h"
#include "platform/qt/QtLauncher.h"
#include "platform/qt/QtSettingsStore.h"
#include "platform/qt/QtTextDialogs.h"

namespace tagloom {

class QtPrompter : public Prompter {
public:
    explicit QtPrompter(std::function<QWidget*()> parent) : parent_(std::move(parent)) {}
    Answer ask(const Message& message) override;

private:
    std::function<QWidget*()> parent_;
};

class QtDesktop : public Desktop {
public:
    void beep() override;
    void setBusy(bool busy) override;
    bool moveToTrash(const std::string& path) override;

private:
    int busyDepth_ = 0;
};

class QtClipboard : public Clipboard {
public:
    using Clipboard::setText;
    bool setText(const std::string& text, TextEncoding encoding) override;
    std::optional<std::string> text(TextEncoding encoding) const override;
    bool hasText() const override;
};

class QtPrintDialogs : public PrintDialogs {
public:
    explicit QtPrintDialogs(std::function<QWidget*()> parent) : parent_(std::move(parent)) {}
    bool hasPrinter() const override;
    bool pageSetup(PageValues& values) override;
    bool printSetup(PageValues& values) override;

private:
    std::function<QWidget*()> parent_;
};

class QtClock : public Clock {
public:
    QtClock() { timer_.start(); }
    std::int64_t nowMs() const override { return timer_.elapsed(); }

private:
    QElapsedTimer timer_;
};

class QtUiQueue : public UiQueue {
public:
    explicit QtUiQueue(QObject* context) : context_(context) {}
    void post(std::function<void()> call) override;

private:
    QPointer<QObject> context_;
};

// Owns one of each service. `parent` gives the window that dialogs belong to.
class QtPlatform {
public:
    QtPlatform(QObject* context, std::function<QWidget*()> parent,
               std::unique_ptr<SettingsStore> settings = std::make_unique<QtSettingsStore>());

    Platform& platform() { return platform_; }

private:
    QtPrompter prompter_;
    QtDesktop desktop_;
    QtClipboard clipboard_;
    QtLauncher launcher_;
    QtFileDialogs fileDialogs_;
    QtPrintDialogs printDialogs_;
    QtClock clock_;
    QtUiQueue uiQueue_;
    std::unique_ptr<SettingsStore> settings_;
    QtTextDialogs textDialogs_;
    Platform platform_;
};

}  // namespace tagloom

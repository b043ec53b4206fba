#include "support/FakePlatform.h"

#include <algorithm>
#include <cstdio>

namespace tagloom::test {

namespace {

Answer defaultAnswerOf(const Message& message) {
    static const std::vector<Answer> kOk{Answer::Ok}, kOkCancel{Answer::Ok, Answer::Cancel},
        kYesNo{Answer::Yes, Answer::No}, kYesNoCancel{Answer::Yes, Answer::No, Answer::Cancel},
        kRetryCancel{Answer::Retry, Answer::Cancel};
    const std::vector<Answer>* buttons = &kOk;
    switch (message.buttons) {
    case Buttons::Ok: buttons = &kOk; break;
    case Buttons::OkCancel: buttons = &kOkCancel; break;
    case Buttons::YesNo: buttons = &kYesNo; break;
    case Buttons::YesNoCancel: buttons = &kYesNoCancel; break;
    case Buttons::RetryCancel: buttons = &kRetryCancel; break;
    }
    const auto index = static_cast<std::size_t>(std::max(0, message.defaultButton));
    return index < buttons->size() ? (*buttons)[index] : buttons->front();
}

template <typename T>
T takeFront(std::deque<T>& queue, T fallback) {
    if (queue.empty()) return fallback;
    T value = std::move(queue.front());
    queue.pop_front();
    return value;
}

}  // namespace

Answer FakePrompter::ask(const Message& message) {
    messages.push_back(message);
    if (answers.empty()) {
        ++unscripted;
        return defaultAnswerOf(message);
    }
    return takeFront(answers, Answer::Ok);
}

bool FakeDesktop::moveToTrash(const std::string& path) {
    if (!trashAvailable || std::remove(path.c_str()) != 0) return false;
    trashed.push_back(path);
    return true;
}

bool FakeClipboard::setText(const std::string& text, TextEncoding textEncoding) {
    if (!available) return false;
    contents = text;
    encoding = textEncoding;
    ++writes;
    return true;
}

// Like the desktop's: the bytes back in their own encoding, converted otherwise.
std::optional<std::string> FakeClipboard::text(TextEncoding wanted) const {
    if (!contents || wanted == encoding) return contents;
    return fromUtf8(toUtf8(*contents, encoding), wanted);
}

LaunchResult FakeLauncher::launch(const std::string& program, const std::vector<std::string>& arguments) {
    calls.push_back({"launch", program, arguments});
    return result;
}

LaunchResult FakeLauncher::openUrl(const std::string& url) {
    calls.push_back({"openUrl", url, {}});
    return result;
}

void FakeLauncher::runHelper(const std::string& program, const std::vector<std::string>& arguments,
                             HelperDone done) {
    calls.push_back({"runHelper", program, arguments});
    runningHelpers.push_back(std::move(done));
}

void FakeLauncher::showInFileManager(const std::string& path, HelperDone done) {
    calls.push_back({"showInFileManager", path, {}});
    runningHelpers.push_back(std::move(done));
}

int FakeLauncher::endHelpers() {
    int ended = 0;
    while (!runningHelpers.empty()) {
        const HelperDone done = takeFront(runningHelpers, HelperDone());
        done(result);
        ++ended;
    }
    return ended;
}

bool FakeLauncher::isProgramAvailable(const std::string& program) const {
    return std::find(availablePrograms.begin(), availablePrograms.end(), program) != availablePrograms.end();
}

std::optional<FileDialogResult> FakeFileDialogs::openFile(const FileDialogRequest& request) {
    requests.push_back(request);
    kinds.emplace_back("open");
    return takeFront(fileAnswers, std::optional<FileDialogResult>());
}

std::optional<FileDialogResult> FakeFileDialogs::saveFile(const FileDialogRequest& request) {
    requests.push_back(request);
    kinds.emplace_back("save");
    return takeFront(fileAnswers, std::optional<FileDialogResult>());
}

std::optional<std::string> FakeFileDialogs::chooseFolder(const std::string& title, const std::string& startFolder) {
    requests.push_back({title, startFolder, {}, {}, 1, false, false});
    kinds.emplace_back("folder");
    return takeFront(folderAnswers, std::optional<std::string>());
}

bool FakePrintDialogs::pageSetup(PageValues& values) {
    shown.push_back(values);
    const auto answer = takeFront(answers, std::optional<PageValues>());
    if (!answer) return false;
    values = *answer;
    return true;
}

bool FakePrintDialogs::printSetup(PageValues& values) { return pageSetup(values); }

int FakeUiQueue::drain() {
    int ran = 0;
    while (!pending.empty()) {
        auto call = std::move(pending.front());
        pending.pop_front();
        call();
        ++ran;
    }
    return ran;
}

std::optional<std::string> FakeTextDialogs::enterValue(const ValueEntry& entry) {
    entries.push_back(entry);
    if (answers.empty()) return std::nullopt;
    std::optional<std::string> answer = std::move(answers.front());
    answers.pop_front();
    return answer;
}

void FakeTextDialogs::showText(TextView kind, const std::string& title, const std::string& text) {
    shown.push_back({kind, title, text});
}

}  // namespace tagloom::test

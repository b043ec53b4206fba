#include "document/FileChangeGuard.h"

#include "platform/Prompter.h"

namespace tagloom {

namespace {

constexpr const char* kChangedTitle = "Tagloom - File Changed";

}  // namespace

FileChangeGuard::FileChangeGuard(Prompter& prompter, Document document)
    : prompter_(prompter), document_(std::move(document)) {}

void FileChangeGuard::setKnown(const std::string& path, std::optional<FileIdentity> identity) {
    path_ = path;
    loaded_ = seen_ = identity;
    gone_ = false;
}

void FileChangeGuard::acknowledge() {
    if (path_.empty() || !loaded_) return;
    const std::optional<FileIdentity> now = fileIdentity(path_);
    gone_ = !now;
    if (now) seen_ = now;
}

template <class Ask>
void FileChangeGuard::asking(Ask&& ask) {
    asking_ = true;
    ask();
    asking_ = false;
    if (checkAgain_) {
        checkAgain_ = false;
        check();
    }
}

void FileChangeGuard::check() {
    if (path_.empty() || !loaded_) return;
    if (asking_) {
        checkAgain_ = true;
        return;
    }
    const std::optional<FileIdentity> now = fileIdentity(path_);
    if (!now) {
        if (!gone_) asking([this] { askAboutDeletion(); });
        return;
    }
    // A file that came back as it was asks nothing.
    gone_ = false;
    if (*now == *seen_ || *now == *loaded_) {
        seen_ = now;
        return;
    }
    asking([this, &now] { askAboutChange(*now); });
}

void FileChangeGuard::askAboutDeletion() {
    gone_ = true;
    prompter_.ask({path_ + "\n\nThis file was deleted or moved by another program.\nYour text is kept: save it to "
                           "write the file again.",
                   kChangedTitle, Buttons::Ok, Icon::Warning, 0});
    document_.markModified();
}

void FileChangeGuard::askAboutChange(const FileIdentity& now) {
    const bool modified = document_.isModified();
    const Message question =
        modified ? Message{path_ + "\n\nThis file was changed by another program, and you have unsaved changes.\n"
                                   "Reload it and lose your changes?",
                           kChangedTitle, Buttons::YesNo, Icon::Warning, 1}
                 : Message{path_ + "\n\nThis file was changed by another program.\nReload it?", kChangedTitle,
                           Buttons::YesNo, Icon::Question, 0};
    seen_ = now;
    if (prompter_.ask(question) == Answer::Yes) document_.reload();
}

bool FileChangeGuard::maySave(const std::string& path) {
    if (path_.empty() || path != path_ || !loaded_) return true;
    const std::optional<FileIdentity> now = fileIdentity(path_);
    if (!now || *now == *loaded_) return true;
    bool replace = false;
    asking([&] {
        seen_ = now;
        replace = prompter_.ask({path_ + "\n\nThis file was changed by another program since you opened it.\n"
                                         "Save anyway and replace those changes?",
                                 "Tagloom - Save", Buttons::YesNo, Icon::Warning, 1}) == Answer::Yes;
    });
    return replace;
}

}  // namespace tagloom

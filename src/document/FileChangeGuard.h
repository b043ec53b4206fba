#pragma once
// Watches over the file the document was loaded from or last saved to, so
// that no change another program makes to it is overwritten unasked: when
// the file changed, the user is asked whether to reload it; when it was
// deleted or moved away, the user is told and the text is kept as unsaved;
// and a save over a change the user has not taken in asks first. A check
// costs one stat, whatever the file's size.
#include <functional>
#include <optional>
#include <string>

#include "document/FileIdentity.h"

namespace tagloom {

class Prompter;

class FileChangeGuard {
public:
    struct Document {
        std::function<bool()> isModified;
        std::function<void()> reload;        // as ReOpen does, without asking
        std::function<void()> markModified;  // the file is gone: the text is unsaved now
    };

    FileChangeGuard(Prompter& prompter, Document document);

    // The document now holds the file at path as it was then (identity);
    // an empty path watches nothing.
    void setKnown(const std::string& path, std::optional<FileIdentity> identity);
    const std::string& path() const { return path_; }
    const std::optional<FileIdentity>& known() const { return loaded_; }
    // The user knows the file as it is now (a recovered text that says it
    // changed): only a further change asks, while a save still does.
    void acknowledge();

    // Compares the file with what the document holds and asks when another
    // program changed it. A check that comes while a question is open is made
    // when the question has closed.
    void check();
    // Whether a save to path may go on: true unless the file there changed
    // since it was loaded or saved and the user does not want to replace it.
    bool maySave(const std::string& path);

private:
    void askAboutChange(const FileIdentity& now);
    void askAboutDeletion();
    // Runs a question; a check asked for meanwhile follows it.
    template <class Ask>
    void asking(Ask&& ask);

    Prompter& prompter_;
    Document document_;
    std::string path_;
    std::optional<FileIdentity> loaded_;  // the file the text came from or went to
    std::optional<FileIdentity> seen_;    // the file as the user last heard of it
    bool gone_ = false;                   // the user was told that the file went
    bool asking_ = false;
    bool checkAgain_ = false;
};

}  // namespace tagloom

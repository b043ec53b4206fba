#include "document/HelperPrograms.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "commands/CommandRouter.h"
#include "commands/EditorView.h"
#include "document/CHemlowHTMLDoc.h"
#include "document/FileIO.h"
#include "platform/FilePaths.h"
#include "platform/Platform.h"
#include "resources/CommandIds.h"
#include "settings/EditorSettings.h"
#include "textmodel/EditControl.h"

namespace tagloom {

namespace {

constexpr const char* kAppTitle = "Tagloom";
constexpr int kTempTries = 100;

bool isExistingFile(const std::string& path) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

}  // namespace

std::string browserProgramOf(std::string command) {
    const std::size_t firstQuote = command.find('"');
    if (firstQuote == std::string::npos) {
        const std::size_t slash = command.rfind('/');
        const std::size_t blank = slash == std::string::npos ? std::string::npos : command.find(' ', slash);
        if (blank != std::string::npos) command.erase(blank);
        return command;
    }
    const std::size_t lastQuote = command.rfind('"');
    if (lastQuote != firstQuote) return command.substr(firstQuote + 1, lastQuote - firstQuote - 1);
    return command;
}

HelperPrograms::HelperPrograms(EditorView& view, const EditorSettings& settings, CHemlowHTMLDoc& document,
                               Platform& platform, CommandRouter& router)
    : view_(view), settings_(settings), document_(document), platform_(platform) {
    router.add(cmd::OpenInBrowser, [this] { OpenInBrowser(); },
               [this](CommandState& s) { s.enabled = view_.isHtmlDocument(); });
    router.add(cmd::CompareToAnotherFile, [this] { Compare(); },
               [this](CommandState& s) { s.enabled = view_.control().length() != 0; });
    router.add(cmd::OpenGraphicsFile, [this] { OpenGraphicsFile(); },
               [this](CommandState& s) { s.enabled = !view_.control().selection().empty(); });
    router.add(cmd::DeleteBrowserFiles, [this] { DeleteBrowserFiles(); }, [this](CommandState& s) {
        s.enabled = !strTempFiles.empty();
        if (s.enabled) s.text = "Delete Browser Files (" + std::to_string(strTempFiles.size()) + ")";
    });
    router.add(cmd::CssWebReference,
               [this] { WebReference(settings_.strUrlCsslHelp, "Tagloom - CSS Reference"); });
    router.add(cmd::HtmlWebReference,
               [this] { WebReference(settings_.strUrlHtmlHelp, "Tagloom - HTML Reference"); });
    router.add(cmd::PhpWebReference, [this] { WebReference(settings_.strUrlPhpHelp, "Tagloom - PHP Reference"); });
    router.add(cmd::Documentation, [this] { Documentation(); });
}

HelperPrograms::~HelperPrograms() { DeleteBrowserFiles(); }

// Each copy is created new (never through an existing name or a symbolic
// link), so a browser never shows, and the editor never overwrites, a file
// that was there before.
std::optional<std::string> HelperPrograms::MakeTempCopy(const std::string& folder, const std::string& title) {
    if (settings_.bDelTempAsap) DeleteBrowserFiles();
    const TextPieces text = controlText(view_.control());
    for (int tries = 0; tries < kTempTries; ++tries) {
        char name[32];
        std::snprintf(name, sizeof name, "_temp%04d.html", nTempCounter++);
        const std::string path = folder + name;
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
        if (fd < 0 && (errno == EEXIST || errno == ELOOP)) continue;
        if (fd < 0) {
            platform_.prompter.ask({path + "\n" + std::strerror(errno), title, Buttons::Ok, Icon::Warning, 0});
            return std::nullopt;
        }
        BlockedFileWriter writer(fd);
        text([&writer](std::string_view piece) { writer.add(piece); });
        const bool written = writer.finish();
        const int writeError = errno;
        if (::close(fd) != 0 || !written) {
            ::unlink(path.c_str());
            platform_.prompter.ask(
                {path + "\n" + std::strerror(written ? errno : writeError), title, Buttons::Ok, Icon::Warning, 0});
            return std::nullopt;
        }
        strTempFiles.push_back(path);
        return path;
    }
    platform_.prompter.ask({"Problem creating TEMP file after " + std::to_string(kTempTries) + " trys", title,
                            Buttons::Ok, Icon::Warning, 0});
    return std::nullopt;
}

const std::string& HelperPrograms::FindDefaultBrowser() {
    if (strDefaultBrowser.empty() && !browserLookedUp_) {
        browserLookedUp_ = true;
        if (const char* browser = std::getenv("BROWSER"); browser && *browser) {
            // $BROWSER may list several programs separated by ':'; the first is taken.
            const std::string first = std::string(browser).substr(0, std::string(browser).find(':'));
            strDefaultBrowser = browserProgramOf(first);
        }
    }
    return strDefaultBrowser;
}

void HelperPrograms::runProgram(const std::string& program, const std::vector<std::string>& arguments,
                                const std::string& title) {
    const LaunchResult started = platform_.launcher.launch(program, arguments);
    if (!started.ok) platform_.prompter.ask({started.error, title, Buttons::Ok, Icon::Error, 0});
}

bool HelperPrograms::runIfExists(const std::string& program, const std::string& argument, const std::string& title) {
    if (!isExistingFile(program)) return false;
    runProgram(program, {argument}, title);
    return true;
}

void HelperPrograms::openInDefaultBrowser(const std::string& target) {
    const std::string& browser = FindDefaultBrowser();
    const LaunchResult started =
        browser.empty() ? platform_.launcher.openUrl(target) : platform_.launcher.launch(browser, {target});
    if (!started.ok) platform_.prompter.ask({started.error, kAppTitle, Buttons::Ok, Icon::Warning, 0});
}

void HelperPrograms::OpenInBrowser() {
    constexpr const char* kTitle = "Open in Browser";
    std::string file = document_.GetPathName();
    if (file.empty() || document_.IsModified()) {
        const std::string folder = file.empty() ? document_.saveDirStr : folderOf(file);
        const std::optional<std::string> copy = MakeTempCopy(folder, kTitle);
        if (!copy) return;
        file = *copy;
    }
    if (!runIfExists(settings_.strPathIExplorer, file, kTitle)) openInDefaultBrowser(file);
}

void HelperPrograms::Compare() {
    constexpr const char* kTitle = "Open in WinDiff";
    std::string file = document_.GetPathName();
    if (document_.IsModified()) {
        const std::optional<std::string> copy = MakeTempCopy(folderOf(file), kTitle);
        if (!copy) return;
        file = *copy;
    }
    FileDialogRequest request;
    request.title = "File to Compare with Tagloom";
    request.folder = document_.openDirStr;
    request.fileName = document_.strLastFileName;
    request.filters = parseFilterList(CHemlowHTMLDoc::kFilterList);
    request.filterIndex = document_.nOpenFilter;
    const std::optional<FileDialogResult> other = platform_.fileDialogs.openFile(request);
    if (!other) return;
    document_.strLastFileName = fileNameOf(other->path);
    document_.openDirStr = folderOf(other->path);
    document_.nOpenFilter = other->filterIndex;
    runProgram(settings_.strPathWinDiff, {other->path, file}, kTitle);
}

void HelperPrograms::OpenGraphicsFile() {
    const EditControl& control = view_.control();
    const std::string name =
        selectedFilePath(toUtf8(control.selectedText(), control.encoding()), document_.GetPathName());
    runProgram(settings_.strPathGraphics, {name}, "Open Graphics File");
}

void HelperPrograms::DeleteBrowserFiles() {
    for (const std::string& path : strTempFiles) ::unlink(path.c_str());
    strTempFiles.clear();
}

void HelperPrograms::WebReference(const std::string& url, const std::string& title) {
    if (!runIfExists(settings_.strPathIExplorer, url, title)) openInDefaultBrowser(url);
}

void HelperPrograms::Documentation() { openInDefaultBrowser(kDocumentationUrl); }

}  // namespace tagloom

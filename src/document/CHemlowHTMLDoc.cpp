#include "document/CHemlowHTMLDoc.h"

#include <filesystem>

#include "document/RecentFileList.h"
#include "document/DocumentView.h"
#include "document/FileIO.h"
#include "document/JournalFormat.h"

namespace tagloom {

namespace {

const std::string kSettings = "Settings";
const std::string kCurrentFolder = "./";
const std::string kAppTitle = "Tagloom";

// The default extension Save As adds to a name without one, per filter (1-based).
std::string defaultExtension(int filterIndex) {
    switch (filterIndex) {
    case 1: return ".html";
    case 2: return ".txt";
    case 3: return ".csv";
    default: return "";
    }
}

std::string absolutePath(const std::string& path) {
    std::error_code error;
    const auto absolute = std::filesystem::absolute(path, error);
    return error ? path : absolute.lexically_normal().string();
}

}  // namespace

CHemlowHTMLDoc::CHemlowHTMLDoc(Platform& platform, RecentFileList& recentFiles)
    : saveDirStr(platform.settings.getString(kSettings, "saveDirStr", kCurrentFolder)),
      openDirStr(platform.settings.getString(kSettings, "openDirStr", kCurrentFolder)),
      platform_(platform),
      recentFiles_(recentFiles),
      changeGuard_(platform.prompter, {[this] { return modified_; }, [this] { reload(); },
                                       [this] {
                                           SetModifiedFlag(true);
                                           if (view_) view_->setControlModified(true);
                                       }}) {}

CHemlowHTMLDoc::~CHemlowHTMLDoc() {
    platform_.settings.setString(kSettings, "saveDirStr", saveDirStr);
    platform_.settings.setString(kSettings, "openDirStr", openDirStr);
}

void CHemlowHTMLDoc::reportError(const std::string& text) {
    platform_.prompter.ask({text, kAppTitle, Buttons::Ok, Icon::Warning, 0});
}

// --- title and modified flag -------------------------------------------------

void CHemlowHTMLDoc::SetTitle(const std::string& title) {
    title_ = title;
    if (titleListener_) titleListener_(title_);
}

void CHemlowHTMLDoc::SetModifiedFlag(bool modified) {
    if (modified && !modified_)
        title_ += " *";
    else if (!modified && modified_ && title_.size() >= 2)
        title_.resize(title_.size() - 2);
    modified_ = modified;
    if (titleListener_) titleListener_(title_);
}

void CHemlowHTMLDoc::setPathName(const std::string& path) {
    pathName_ = path;
    title_ = fileNameOf(path);
    if (modified_) title_ += " *";
    recentFiles_.add(path);
    if (titleListener_) titleListener_(title_);
}

// --- New and Close -------------------------------------------------------------

void CHemlowHTMLDoc::setOrigin(const DocumentOrigin& origin, bool saved) {
    changeGuard_.setKnown(origin.path, origin.identity);
    if (view_) view_->originChanged(origin, saved);
    if (originListener_) originListener_(origin.path);
}

void CHemlowHTMLDoc::makeNew() {
    if (view_) view_->storeFileState();
    pathName_.clear();
    SetModifiedFlag(false);
    if (view_) {
        view_->setControlModified(false);
        view_->emptyText();
    }
}

void CHemlowHTMLDoc::New() {
    if (bFirstNew) {
        makeNew();
        bFirstNew = 0;
    } else {
        if (modified_) {
            const Answer answer = platform_.prompter.ask({"This Document has been modified!\nSave contents first?",
                                                          "Tagloom FIle Close", Buttons::YesNoCancel,
                                                          Icon::Question, 0});
            if (answer == Answer::Cancel) return;
            // A save that fails or is cancelled must not throw the text away.
            if (answer == Answer::Yes && !runSaveAs()) return;
        }
        makeNew();
        if (view_) view_->setReadOnly(false);
    }
    SetTitle("Untitled");
    if (view_) {
        view_->resetLineEnds();
        view_->initialUpdate();
    }
    setOrigin({{}, std::nullopt, false, 0, textChecksum({})}, false);
}

// --- Open ----------------------------------------------------------------------

void CHemlowHTMLDoc::Open() {
    FileDialogRequest request;
    request.title = "Tagloom File Open";
    request.folder = openDirStr;
    request.fileName = strLastFileName;
    request.filters = parseFilterList(kFilterList);
    request.filterIndex = nOpenFilter;
    request.showReadOnlyBox = true;
    request.readOnlyChecked = view_ && view_->readOnly();
    const auto chosen = platform_.fileDialogs.openFile(request);
    if (!chosen) return;

    strLastFileName = fileNameOf(chosen->path);
    openDirStr = folderOf(chosen->path);
    if (view_) view_->setReadOnly(chosen->readOnly);
    nOpenFilter = chosen->filterIndex;

    if (modified_) {
        const std::string name = pathName_.empty() ? "This Document " : fileNameOf(pathName_) + "\n";
        const Answer answer = platform_.prompter.ask(
            {name + "has been modified!\nSave contents first?", "Tagloom File Open", Buttons::YesNoCancel,
             Icon::Question, 0});
        if (answer == Answer::Cancel) return;
        // A save that fails or is cancelled must not throw the text away.
        if (answer == Answer::Yes && !saveToCurrentPathOrAs()) return;
    }
    if (!OnOpenDocument(chosen->path)) return;
    setPathName(chosen->path);
    if (view_) view_->initialUpdate();
    nSaveCount = 0;
}

bool CHemlowHTMLDoc::OnOpenDocument(const std::string& path) {
    ReadResult read = readTextFile(path);
    if (!read.ok) {
        reportError(read.error);
        return false;
    }
    if (view_) view_->storeFileState();
    const DocumentOrigin origin{path, read.identity, read.loaded.bUnixFile, read.fileLength, read.checksum};
    SetModifiedFlag(true);
    if (view_) view_->adoptLoadedText(std::move(read.loaded));
    SetModifiedFlag(false);
    if (view_) view_->setControlModified(false);
    bFirstNew = 0;
    setOrigin(origin, false);
    return true;
}

void CHemlowHTMLDoc::reload() {
    nSaveCount = 0;
    // A failed read has been reported and leaves the text as it was.
    if (OnOpenDocument(pathName_) && view_) view_->initialUpdate();
}

void CHemlowHTMLDoc::adoptRecovered(const DocumentOrigin& origin) {
    pathName_.clear();
    if (origin.path.empty())
        SetTitle("Untitled");
    else
        setPathName(origin.path);
    changeGuard_.setKnown(origin.path, origin.identity);
    changeGuard_.acknowledge();
    if (originListener_) originListener_(origin.path);
    bFirstNew = 0;
    SetModifiedFlag(true);
}

bool CHemlowHTMLDoc::OpenDocumentFile(const std::string& requested) {
    const std::string path = absolutePath(requested);
    if (!pathName_.empty() && samePath(path, pathName_)) {
        if (activateListener_) activateListener_();
        return true;
    }
    if (!SaveModified()) return false;
    nSaveCount = 0;
    if (!OnOpenDocument(path)) return false;
    setPathName(path);
    if (view_) view_->initialUpdate();
    return true;
}

bool CHemlowHTMLDoc::SaveModified() {
    if (!modified_) return true;
    const std::string name = pathName_.empty() ? title_ : fileNameOf(pathName_);
    const Answer answer = platform_.prompter.ask(
        {"Save changes to " + name + "?", kAppTitle, Buttons::YesNoCancel, Icon::Warning, 0});
    if (answer == Answer::Cancel) return false;
    if (answer == Answer::No) return true;
    if (!pathName_.empty()) return doSave(pathName_);

    FileDialogRequest request;
    request.title = "Save As";
    request.folder = saveDirStr;
    request.fileName = title_.size() >= 2 && modified_ ? title_.substr(0, title_.size() - 2) : title_;
    request.filters = parseFilterList("Text Files ( *.html)|*.html||");
    const auto chosen = chooseSavePath(request, [](int) { return std::string(".html"); });
    if (!chosen) return false;
    if (!doSave(chosen->path)) return false;
    setPathName(chosen->path);
    return true;
}

// --- Save and Save As ------------------------------------------------------------

// The question is asked here rather than by the dialog because the name the
// dialog returns may still get an extension: it is the final name that must
// be free or given up by the user.
std::optional<FileDialogResult> CHemlowHTMLDoc::chooseSavePath(
    FileDialogRequest request, const std::function<std::string(int filterIndex)>& extensionOf) {
    while (true) {
        auto chosen = platform_.fileDialogs.saveFile(request);
        if (!chosen) return std::nullopt;
        const std::string typed = chosen->path;
        if (fileNameOf(typed).find('.') == std::string::npos) chosen->path += extensionOf(chosen->filterIndex);
        if (!fileExists(chosen->path) || mayReplace(chosen->path, request.title)) return chosen;
        request.folder = folderOf(typed);
        request.fileName = fileNameOf(typed);
        request.filterIndex = chosen->filterIndex;
    }
}

bool CHemlowHTMLDoc::mayReplace(const std::string& path, const std::string& title) {
    return platform_.prompter.ask({fileNameOf(path) + " already exists.\nDo you want to replace it?", title,
                                   Buttons::YesNo, Icon::Warning, 1}) == Answer::Yes;
}

bool CHemlowHTMLDoc::doSave(const std::string& path) {
    if (!changeGuard_.maySave(path)) return false;
    const WriteResult written =
        writeTextFile(path, view_ ? view_->textPieces() : wholeText({}), view_ && view_->unixFile());
    if (!written.ok) {
        reportError(written.error);
        return false;
    }
    SetModifiedFlag(false);
    if (view_) view_->setControlModified(false);
    setOrigin({path, fileIdentity(path), view_ && view_->unixFile(), written.fileLength, written.checksum}, true);
    return true;
}

bool CHemlowHTMLDoc::saveToCurrentPathOrAs() {
    if (pathName_.empty()) return runSaveAs();
    if (!doSave(pathName_)) return false;
    setPathName(pathName_);
    ++nSaveCount;
    return true;
}

void CHemlowHTMLDoc::Save() {
    if (!pathName_.empty()) {
        saveToCurrentPathOrAs();
        return;
    }
    FileDialogRequest request;
    request.title = "Tagloom File Save";
    request.folder = saveDirStr;
    request.fileName = "untitled";
    request.filters = parseFilterList(kFilterList);
    request.filterIndex = 1;
    const auto chosen = chooseSavePath(request, [](int) { return std::string(); });
    if (!chosen) return;
    saveDirStr = folderOf(chosen->path);
    if (!doSave(chosen->path)) return;  // a failed save keeps the document unnamed and modified
    setPathName(chosen->path);
    ++nSaveCount;
}

void CHemlowHTMLDoc::SaveAs() { runSaveAs(); }

bool CHemlowHTMLDoc::runSaveAs() {
    FileDialogRequest request;
    request.title = "Tagloom File Save As";
    request.folder = saveDirStr;
    request.fileName = fileNameOf(pathName_);
    request.filters = parseFilterList(kFilterList);
    request.filterIndex = nSaveFilter;
    const auto chosen = chooseSavePath(request, defaultExtension);
    if (!chosen) return false;
    nSaveFilter = chosen->filterIndex;
    saveDirStr = folderOf(chosen->path);
    // A failed save keeps the old path and title, and the document modified.
    if (!doSave(chosen->path)) return false;
    setPathName(chosen->path);
    ++nSaveCount;
    return true;
}

}  // namespace tagloom

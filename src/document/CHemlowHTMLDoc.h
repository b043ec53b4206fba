#pragma once
// The document: the file's path and title, the modified flag and the folders
// and filters the file dialogs remember; New, Open, Save, Save As and Close.
// The text itself lives in the view's edit control.
#include <functional>
#include <optional>
#include <string>

#include "document/FileChangeGuard.h"
#include "platform/FilePaths.h"
#include "platform/Platform.h"

namespace tagloom {

class DocumentView;
class RecentFileList;

class CHemlowHTMLDoc {
public:
    static constexpr const char* kFilterList =
        "Internet Files ( *.html *.htm *.css *.pl *.js *.php )|*.html;*.htm;*.css;*.pl;*.js;*.php|"
        "Text Files ( *.txt; *.asc )|*.txt;*.asc|Comma Delimited Files ( *.csv; *.prn )|*.csv;*.prn|"
        "All Files ( *.* )|*.*||";

    CHemlowHTMLDoc(Platform& platform, RecentFileList& recentFiles);
    // Writes the remembered folders back.
    ~CHemlowHTMLDoc();

    void attachView(DocumentView* view) { view_ = view; }
    // Told whenever the title changes, with the new title.
    void setTitleListener(std::function<void(const std::string&)> listener) { titleListener_ = std::move(listener); }
    // Told when the file to open is the one already open: the window is only activated.
    void setActivateListener(std::function<void()> listener) { activateListener_ = std::move(listener); }
    // Told the path of the file the text now comes from (empty for Untitled),
    // whenever it is loaded, saved, made new or recovered.
    void setOriginListener(std::function<void(const std::string& path)> listener) {
        originListener_ = std::move(listener);
    }

    // Commands.
    void New();
    void Open();
    void Save();
    void SaveAs();

    // The framework's open (the command line, recent files, dropped files):
    // the same file is only activated; a modified document asks first.
    bool OpenDocumentFile(const std::string& path);
    // Loads a file into the view: the shared step of every open. False, with
    // the failure reported and nothing changed, when the file cannot be read.
    bool OnOpenDocument(const std::string& path);
    // Asks "Save changes to %1?" for a modified document; false when the user
    // cancels or the save fails (closing must then not go on).
    bool SaveModified();
    // Loads the file again as ReOpen does, without asking: the undo archive
    // starts anew and the editing state comes back from the file status store.
    void reload();
    // Compares the file with the one the text came from, and asks when
    // another program changed, deleted or moved it.
    void checkFileOnDisk() { changeGuard_.check(); }
    // The text holds a recovered journal's edits to the file at origin.path,
    // or to an Untitled document when it is empty.
    void adoptRecovered(const DocumentOrigin& origin);

    void SetModifiedFlag(bool modified);
    bool IsModified() const { return modified_; }
    const std::string& GetPathName() const { return pathName_; }
    // Shows the save dialog until the user chooses a file that does not exist
    // yet or agrees to replace it. A chosen name without a "." gets the
    // extension that `extensionOf` gives for the chosen filter; the result
    // holds the final path. Nothing when the user cancels.
    std::optional<FileDialogResult> chooseSavePath(FileDialogRequest request,
                                                   const std::function<std::string(int filterIndex)>& extensionOf);
    const std::string& GetTitle() const { return title_; }
    void SetTitle(const std::string& title);

    int nSaveCount = 0;
    int nOpenFilter = 1;
    int nSaveFilter = 1;
    std::string saveDirStr;
    std::string openDirStr;
    int bFirstNew = 1;
    std::string strLastFileName;

private:
    bool doSave(const std::string& path);
    // The text is now that of origin's file (none for New), loaded or just saved.
    void setOrigin(const DocumentOrigin& origin, bool saved);
    void setPathName(const std::string& path);
    void makeNew();
    bool saveToCurrentPathOrAs();
    bool runSaveAs();
    // Asks whether the existing file at `path` may be replaced.
    bool mayReplace(const std::string& path, const std::string& title);
    void reportError(const std::string& text);

    Platform& platform_;
    RecentFileList& recentFiles_;
    DocumentView* view_ = nullptr;
    std::string pathName_;
    std::string title_;
    bool modified_ = false;
    std::function<void(const std::string&)> titleListener_;
    std::function<void()> activateListener_;
    std::function<void(const std::string&)> originListener_;
    FileChangeGuard changeGuard_;
};

}  // namespace tagloom

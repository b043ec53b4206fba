#pragma once
// Common file and folder dialogs, described by value so tests can answer them.
#include <optional>
#include <string>
#include <vector>

namespace tagloom {

struct FileFilter {
    std::string name;                   // "Text Files ( *.txt; *.asc )"
    std::vector<std::string> patterns;  // "*.txt", "*.asc"
};

struct FileDialogRequest {
    std::string title;
    std::string folder;    // initial folder
    std::string fileName;  // initial file name
    std::vector<FileFilter> filters;
    int filterIndex = 1;   // 1-based, as the editor counts them
    bool showReadOnlyBox = false;
    bool readOnlyChecked = false;
};

struct FileDialogResult {
    std::string path;      // absolute path of the chosen file
    int filterIndex = 1;   // 1-based
    bool readOnly = false;
};

// The save dialog never asks about replacing a file itself: the caller may
// still add an extension to the chosen name, and asks about the final one.
class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    virtual std::optional<FileDialogResult> openFile(const FileDialogRequest& request) = 0;
    virtual std::optional<FileDialogResult> saveFile(const FileDialogRequest& request) = 0;
    virtual std::optional<std::string> chooseFolder(const std::string& title, const std::string& startFolder) = 0;
};

// Splits a filter list written as "name|patterns|name|patterns||" (patterns
// separated by ';') into its filters.
std::vector<FileFilter> parseFilterList(const std::string& list);

}  // namespace tagloom

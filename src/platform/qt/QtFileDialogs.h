#pragma once
// The common file and folder dialogs on Qt.
#include <QWidget>
#include <functional>

#include "platform/FileDialogs.h"

namespace tagloom {

class QtFileDialogs : public FileDialogs {
public:
    explicit QtFileDialogs(std::function<QWidget*()> parent) : parent_(std::move(parent)) {}
    std::optional<FileDialogResult> openFile(const FileDialogRequest& request) override;
    std::optional<FileDialogResult> saveFile(const FileDialogRequest& request) override;
    std::optional<std::string> chooseFolder(const std::string& title, const std::string& startFolder) override;

private:
    std::optional<FileDialogResult> run(const FileDialogRequest& request, bool save);
    std::function<QWidget*()> parent_;
};

}  // namespace tagloom

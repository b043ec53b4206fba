#pragma once
// The Find in Files dialog: the options, the file-name pattern, the find
// text, the folder (set with the browse button only) and the depth of
// sub-folders; Find and Cancel.
#include <QDialog>

#include "search/FindInFilesCommands.h"

class QCheckBox;
class QLineEdit;

namespace tagloom {

struct Platform;

class CFindInFilesDlg : public QDialog {
public:
    CFindInFilesDlg(const FindInFilesForm& form, Platform& platform, QWidget* parent);
    // The values entered; valid once the dialog was accepted.
    FindInFilesForm form() const;

    QLineEdit* findBox() const { return findText_; }
    QLineEdit* folderBox() const { return folder_; }
    QLineEdit* depthBox() const { return depth_; }

    // Find: a depth box that holds no integer keeps the dialog open.
    void accept() override;
    // The folder browser; a chosen folder replaces the one shown.
    void browse();

private:
    Platform& platform_;
    QCheckBox* matchCase_;
    QCheckBox* wholeWord_;
    QLineEdit* fileSpec_;
    QLineEdit* findText_;
    QLineEdit* folder_;
    QLineEdit* depth_;
};

}  // namespace tagloom

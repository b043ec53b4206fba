#pragma once
// Opens the Find and Mark dialog for the engine, at most one at a time, in
// the place where the last one closed (the screen's top-left corner at first).
#include <QPoint>
#include <QPointer>

#include "search/FindEngine.h"
#include "search/qt/CFindMarkDlg.h"

namespace tagloom {

class FindDialogHost : public FindDialog {
public:
    FindDialogHost(FindEngine& engine, EditorSettings& settings, Platform& platform, QWidget* owner);
    ~FindDialogHost();
    FindDialogHost(const FindDialogHost&) = delete;
    FindDialogHost& operator=(const FindDialogHost&) = delete;

    // A closed dialog is hidden at once and deleted a little later.
    bool isOpen() const override { return !dialog_.isNull() && dialog_->isVisible(); }
    void open(bool markMode, const std::string& findText) override;
    CFindMarkDlg* dialog() const { return dialog_.data(); }

private:
    FindEngine& engine_;
    EditorSettings& settings_;
    Platform& platform_;
    QWidget* owner_;
    QPointer<CFindMarkDlg> dialog_;
    QPoint ptFindDlg;
};

}  // namespace tagloom

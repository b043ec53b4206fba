#include "search/qt/FindDialogHost.h"

namespace tagloom {

FindDialogHost::FindDialogHost(FindEngine& engine, EditorSettings& settings, Platform& platform, QWidget* owner)
    : engine_(engine), settings_(settings), platform_(platform), owner_(owner) {
    engine_.setDialog(this);
}

FindDialogHost::~FindDialogHost() {
    engine_.setDialog(nullptr);
    delete dialog_.data();
}

void FindDialogHost::open(bool markMode, const std::string& findText) {
    if (isOpen()) return;
    dialog_ = new CFindMarkDlg(engine_, settings_, platform_, markMode, findText, owner_);
    dialog_->setCloseListener([this](const QPoint& at) { ptFindDlg = at; });
    dialog_->move(ptFindDlg);
    dialog_->show();
    dialog_->raise();
    dialog_->activateWindow();
}

}  // namespace tagloom

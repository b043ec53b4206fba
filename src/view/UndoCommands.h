#pragma once
// Undo and Redo as commands, over the archive that records every change the
// edit control tells of.
#include "textmodel/EditControl.h"
#include "view/UndoArchive.h"

namespace tagloom {

class CommandRouter;

class UndoCommands : private EditObserver, private UndoTarget {
public:
    UndoCommands(EditControl& control, const Clock& clock, UndoListener listener, CommandRouter& router);
    ~UndoCommands() override;
    UndoCommands(const UndoCommands&) = delete;
    UndoCommands& operator=(const UndoCommands&) = delete;

    UndoArchive& archive() { return archive_; }
    // The selection and the first line shown now.
    ViewPlace place() const override;

private:
    // EditObserver
    void onChange(const TextChange& change) override;
    // UndoTarget
    Selection selection() const override { return control_.selection(); }
    void setSelection(int start, int end) override { control_.setSel(start, end); }
    void replaceSelection(std::string_view text) override { control_.replaceSel(text); }
    char charAt(int offset) const override { return control_.charAt(offset); }
    void restorePlace(const ViewPlace& place) override;

    EditControl& control_;
    UndoArchive archive_;
};

}  // namespace tagloom

#include "view/UndoCommands.h"

#include "commands/CommandRouter.h"
#include "resources/CommandIds.h"

namespace tagloom {

UndoCommands::UndoCommands(EditControl& control, const Clock& clock, UndoListener listener, CommandRouter& router)
    : control_(control), archive_(*this, clock, std::move(listener)) {
    control_.addObserver(*this);
    router.add(cmd::Undo, [this] { archive_.Undo(); },
               [this](CommandState& s) {
                   s.enabled = archive_.undoSteps() > 0 && !control_.isReadOnly();
                   s.text = archive_.undoMenuText();
               });
    router.add(cmd::Redo, [this] { archive_.Redo(); },
               [this](CommandState& s) {
                   s.enabled = archive_.redoSteps() > 0 && !control_.isReadOnly();
                   s.text = archive_.redoMenuText();
               });
}

UndoCommands::~UndoCommands() { control_.removeObserver(*this); }

ViewPlace UndoCommands::place() const {
    return {control_.anchor(), control_.caret(), control_.firstVisibleLine()};
}

void UndoCommands::restorePlace(const ViewPlace& place) {
    control_.setSel(place.anchor, place.caret);
    control_.scrollCaret();
    control_.lineScroll(0, place.firstLine - control_.firstVisibleLine());
}

void UndoCommands::onChange(const TextChange& change) {
    if (change.kind == TextChange::Kind::Insertion)
        archive_.recordInsertion(change.position, change.text);
    else
        archive_.recordRemoval(change.position, std::string(change.text));
}

}  // namespace tagloom

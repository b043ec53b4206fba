#include "search/MarkCommands.h"

#include "commands/CommandRouter.h"
#include "commands/EditorView.h"
#include "resources/CommandIds.h"

namespace tagloom {

MarkCommands::MarkCommands(EditorView& view, CommandRouter& router) : view_(view) {
    router.add(cmd::MarkHighlight,
               [this] {
                   bMarkHighlight = !bMarkHighlight;
                   view_.postRepaint();
               },
               [this](CommandState& s) {
                   s.checked = bMarkHighlight != 0;
                   s.enabled = !strMarkText.empty();
               });
}

}  // namespace tagloom

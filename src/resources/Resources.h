#pragma once
// The editor's resources as data: menus, toolbars, key bindings, status-bar
// panes and the string table. The Qt front end builds its widgets from these;
// tests check them against the editor's documented texts and ids.
#include <string_view>
#include <vector>

#include "resources/Keys.h"

namespace tagloom::res {

struct MenuItem {
    enum class Kind { Command, Separator, Popup };
    Kind kind = Kind::Command;
    std::string_view text;        // exact text, '&' marks the mnemonic, '\t' starts the key name
    int id = 0;                   // command id; 0 for separators and popups
    std::vector<MenuItem> items;  // the items of a popup
};

// The main menu bar: its top-level popups in order.
const std::vector<MenuItem>& mainMenu();
// Context menu 144 of the editor view (its first popup).
const MenuItem& viewContextMenu();
// Popup 147 of the HTML tag insertion.
const MenuItem& insertTagsMenu();

struct ToolbarSpec {
    std::string_view name;  // "Edit", "HTML", "Display", "Locate"
    int windowId;           // window id, also the id of its menu switch for the Edit toolbar
    int resourceId;
    int switchCommand;      // the View > Toolbars command that shows and hides it
    std::vector<int> buttons;  // command ids in order; 0 is a separator
};
const std::vector<ToolbarSpec>& toolbars();

struct Accelerator {
    int key;        // VirtualKey or an ASCII capital letter
    int modifiers;  // KeyModifier bits
    int command;
};
// The main key table, and the table of the print preview.
const std::vector<Accelerator>& mainAccelerators();
const std::vector<Accelerator>& previewAccelerators();

struct StatusPane {
    int id;                   // string id of the pane; 0 for the message pane
    std::string_view sizing;  // text whose width sizes the pane
};
// The status bar's panes, left to right, the message pane first.
const std::vector<StatusPane>& statusPanes();

// The string table entry of an id: a command's "prompt\ntooltip", or a fixed
// text such as the application title. Empty when there is none.
std::string_view stringResource(int id);
// The status-bar prompt of a command (the part before the newline).
std::string_view commandPrompt(int id);
// The tooltip of a command (the part after the newline, empty when none).
std::string_view commandTooltip(int id);

}  // namespace tagloom::res

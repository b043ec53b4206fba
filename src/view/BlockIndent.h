#pragma once
// Block indent: Tab over a selection of whole lines indents each line by one
// TAB, Shift+Tab takes one leading TAB off each; one change, the lines stay
// selected.
namespace tagloom {

class EditControl;

// Whether a Tab typed now indents: the selection holds a line feed.
bool selectsLines(const EditControl& control);
void TabOver(EditControl& control, bool outdent);

}  // namespace tagloom

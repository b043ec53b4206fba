#pragma once
// The editing state of one file, as one line of the file status store:
//
//   <path> <wrap> <line numbers> <first visible line> <horizontal scroll>
//          <selection start> <selection end> <read-only> <column guide>
//          <line guide> 0 [<bookmarked line> ...]
//
// The path comes first and may contain blanks; exactly one blank follows it,
// then only decimal integers separated by blanks. Flags are written 0/1 and
// any other number reads as on. The tenth number is always written 0 and never
// read. Positions count the characters of the editor's text, including the
// extra CR of each bookmarked line.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tagloom {

struct FileStatusRecord {
    std::string path;
    bool bWrap = false;
    bool bShowLineNum = false;
    int nFirstVisibleLine = 0;  // 0-based
    int nHScrollChars = 0;      // horizontal scroll in average character widths
    int nSelStart = 0;
    int nSelEnd = 0;
    bool bReadOnly = false;
    int nColumnGuide = -1;  // column of the column guide; below 0 when it is off
    bool bLineGuide = false;
    std::vector<int> bookmarks;  // 1-based line numbers, in text order

    bool operator==(const FileStatusRecord&) const = default;
};

// The store's line for a record, without a line end.
std::string formatFileStatusRecord(const FileStatusRecord& record);

// Whether a line is a record of exactly this path: the line starts with the
// path (compared byte for byte, so capitals matter), then one blank, then
// nothing but blank-separated integers. A path that is the beginning of
// another path, or of a path with blanks, never matches the other's line.
bool isFileStatusRecordOf(std::string_view line, std::string_view path);

// Whether a line has the form of some file's record: a non-empty path, one
// blank, then at least ten blank-separated integers. Anything else (garbage,
// a record cut short) can never restore a file.
bool hasFileStatusRecordForm(std::string_view line);

// The record a line holds for this path. The numbers are read in turn until
// one does not fit an int; a line that is not a record of the path, that has
// fewer than ten readable numbers, or whose scroll or selection is negative
// gives none.
std::optional<FileStatusRecord> parseFileStatusRecord(std::string_view line, std::string_view path);

// The bookmarked lines of the editor's text, 1-based, in text order: walking
// the text with a line counter that starts at 1 and grows at every LF, each
// CR directly followed by another CR names the counter's line.
std::vector<int> bookmarkedLines(std::string_view text);

// Where restoring the bookmarks of these lines inserts their CRs: for line n,
// directly before the n-th LF of the text (between the line's CR and its LF).
// Lines the text does not have (below 1 or beyond its last LF) give no offset.
// The offsets ascend and already count the CRs inserted before them, so the
// caller inserts one CR at each offset in the order given.
std::vector<std::size_t> bookmarkInsertOffsets(std::string_view text, std::vector<int> lines);

}  // namespace tagloom

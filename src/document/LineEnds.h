#pragma once
// Line-end conversion between a file's bytes and the editor's text.
//
// The editor's text always breaks lines with CR LF. A file on disk has DOS
// (CR LF) or UNIX (LF) line ends. Loading turns every LF into CR LF and drops
// every CR; saving drops every CR again and writes each LF in the document's
// form. Both directions are one linear pass over the bytes.
#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/Prompter.h"
#include "textmodel/Selection.h"

namespace tagloom {

class EditControl;

// The editor's text made from a file, and what the load learnt about the file.
struct LoadedText {
    std::string text;
    // The file held more LF bytes than CR bytes: it is saved back with LF line ends.
    bool bUnixFile = false;
    // Carriage returns that belonged to no line end: every CR of a UNIX file,
    // the CRs beyond the LFs of a DOS file.
    std::size_t nStrayCRs = 0;
};

// The LF and CR bytes in a run of file bytes.
struct LineEndCount {
    std::size_t lf = 0;
    std::size_t cr = 0;

    void add(std::string_view bytes);
};

// Builds the editor's text from a file's bytes handed over in pieces, in one
// buffer. Given the text's final length up front, it never reallocates.
class EditorTextBuilder {
public:
    explicit EditorTextBuilder(std::size_t expectedTextLength);

    void append(std::string_view fileBytes);
    LoadedText finish();

private:
    std::string text_;
    LineEndCount count_;
    std::unique_ptr<char[]> converted_;
};

// The length of the editor's text for a file of fileLength bytes with these line-end bytes.
std::size_t editorTextLength(std::size_t fileLength, const LineEndCount& count);

// The editor's text for a whole file already in memory.
LoadedText toEditorText(std::string_view fileBytes);

// Receives the bytes of a file being written, in large blocks; false stops the writing.
using ByteSink = std::function<bool(std::string_view bytes)>;

// A text handed over in pieces: calls `piece` with each of them, in order.
// The editor's text comes this way from where its pieces lie in memory.
using TextPieces = std::function<void(const std::function<void(std::string_view)>& piece)>;
// A text in one piece.
TextPieces wholeText(std::string_view text);
// The edit control's text in its pieces, never joined; valid until the next change.
TextPieces controlText(const EditControl& control);

// Writes the file form of the editor's text, given piece by piece, to sink in
// blocks of 256 KB: every CR dropped, each LF written as LF (bUnixFile) or
// as CR LF. After the sink has refused a block the rest is ignored.
class FileBytesWriter {
public:
    FileBytesWriter(bool bUnixFile, const ByteSink& sink);
    void add(std::string_view text);
    // Hands over the last block; false when the sink refused one.
    bool finish();

private:
    void flush();

    bool bUnixFile_;
    ByteSink sink_;
    std::unique_ptr<char[]> block_;
    std::size_t used_ = 0;
    bool ok_ = true;
};

// The file form of a whole text, as FileBytesWriter writes it. False when the
// sink refused a block.
bool writeFileBytes(const TextPieces& text, bool bUnixFile, const ByteSink& sink);
bool writeFileBytes(std::string_view text, bool bUnixFile, const ByteSink& sink);

// Offsets between a UNIX file and the editor's text loaded from it. Each CR of
// the text is a byte the saved file does not have, so a file offset moves up by
// the CRs before it, which after a load are exactly the file's LFs before it.
// A file offset at a line start lands after that line's CR LF, and one at a
// line end before the CR: a line break is never split.
std::size_t fileOffsetToTextOffset(std::string_view text, std::size_t fileOffset);
std::size_t textOffsetToFileOffset(std::string_view text, std::size_t textOffset);

// Where a selection given in file offsets (the command line's switches) lies
// in the editor's text of the loaded file; none when both offsets are 0 (the
// file's saved editing state applies then). A UNIX file's start is moved past
// the CRs the load added before it; the selection keeps its length. Offsets
// outside the text are brought into it.
std::optional<Selection> initialSelection(int nInitSelStart, int nInitSelEnd, std::string_view text, bool bUnixFile);

// The notice shown after a load that found stray carriage returns; none when there were none.
std::optional<Message> strayCarriageReturnNotice(std::size_t nStrayCRs, bool bUnixFile);

}  // namespace tagloom

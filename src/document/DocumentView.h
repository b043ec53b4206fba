#pragma once
// What the document asks of the editor view: the view holds the text, its
// line-end form and the read-only state, and runs the initial update.
#include <string_view>

#include "document/FileIdentity.h"
#include "document/LineEnds.h"

namespace tagloom {

class DocumentView {
public:
    virtual ~DocumentView() = default;
    // Hands a loaded file's text to the edit control, with its line-end form.
    virtual void adoptLoadedText(LoadedText&& loaded) = 0;
    // Empties the edit control (New); the line-end form stays until resetLineEnds.
    virtual void emptyText() = 0;
    // A new document: DOS line ends and no stray carriage returns.
    virtual void resetLineEnds() = 0;
    // The whole text in its pieces as they lie in memory, valid until the next change.
    virtual TextPieces textPieces() = 0;
    virtual bool unixFile() const = 0;
    virtual bool readOnly() const = 0;
    virtual void setReadOnly(bool readOnly) = 0;
    // The edit control's own modified flag.
    virtual void setControlModified(bool modified) = 0;
    // Stores the editing state of the file being left.
    virtual void storeFileState() = 0;
    virtual void initialUpdate() = 0;
    // The text now is that of origin: loaded, new, or just saved.
    virtual void originChanged(const DocumentOrigin& origin, bool saved) = 0;
};

}  // namespace tagloom

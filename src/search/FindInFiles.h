#pragma once
// Find in Files: every file of a folder (and of its sub-folders down to a
// depth) whose name fits a file-name pattern is searched for a literal text,
// and the byte offsets of all occurrences are listed, file by file, in the
// results text that the results window shows and Go To reads back.
#include <optional>
#include <string>
#include <string_view>

namespace tagloom {

struct FindInFilesRequest {
    std::string folder;    // the folder searched, ending with '/'
    std::string fileSpec;  // '*' any run, '?' one character (see matchesFileSpec)
    std::string findText;  // the bytes searched for; not empty
    bool matchCase = false;
    bool wholeWord = false;
    int depth = 0;         // levels of sub-folders; 0 searches the folder alone
};

// What a search reports while it runs, on the thread it runs on.
class FindInFilesProgress {
public:
    // Polled often (between files and between blocks of a file); true ends
    // the search with the outcome Cancelled.
    virtual bool cancelled() const = 0;
    // A folder's search begins; filesFound counts the files with hits so far.
    virtual void searching(const std::string& folder, int filesFound) = 0;

protected:
    ~FindInFilesProgress() = default;
};

struct FindInFilesResult {
    enum class Outcome { Found, Cancelled, Failed };
    Outcome outcome = Outcome::Found;
    // When Found: the whole results text, CR LF line breaks: the header line
    // "%d Files Found%s%s - Sub Folder Depth %d of %d", an empty line,
    // "Looking For: " and the text, then for each folder with hits an empty
    // line, the folder, and one line per file with hits: two spaces, the name,
    // "  --  " and each offset followed by one space.
    std::string text;
    std::string error;  // when Failed: the system's text for the file that could not be read
    int filesFound = 0;
    int levels = 0;     // the depth of sub-folders actually reached
};

FindInFilesResult findInFiles(const FindInFilesRequest& request, FindInFilesProgress* progress = nullptr);

// Whether a file name fits a file-name pattern: '*' matches any run of
// characters, '?' one character, and '?'s at the end may also match nothing
// ("*.htm?" fits "a.htm" and "a.html"); ASCII letters match in either case.
bool matchesFileSpec(std::string_view name, std::string_view pattern);

// Go To in the results text: the file and the selection in its bytes named by
// the offset at or around the text offset `at`; nothing where no offset of a
// file line stands.
struct FoundPlace {
    std::string path;  // folder and file name
    int start = 0;
    int end = 0;       // start plus the find text's length
};
std::optional<FoundPlace> foundPlaceAt(std::string_view results, int at);

}  // namespace tagloom

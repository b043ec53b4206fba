// The file status store's lines: any line either gives no record or a record
// that writes back to a line giving the same record; restoring bookmarks
// inserts CRs that read back as those bookmarks.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <string>
#include <vector>

#include "FuzzCheck.h"
#include "document/FileStatusRecord.h"

using namespace tagloom;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    const std::string path = input.ConsumeRandomLengthString(64);
    const std::string line = input.ConsumeRandomLengthString(512);
    std::vector<int> lines;
    for (int i = input.ConsumeIntegralInRange(0, 16); i > 0; --i) lines.push_back(input.ConsumeIntegralInRange(-2, 200));
    const std::string text = input.ConsumeRemainingBytesAsString();

    hasFileStatusRecordForm(line);
    if (const auto record = parseFileStatusRecord(line, path)) {
        FUZZ_CHECK(isFileStatusRecordOf(line, path));
        FUZZ_CHECK(hasFileStatusRecordForm(line));
        FUZZ_CHECK(record->path == path);
        FUZZ_CHECK(record->nHScrollChars >= 0 && record->nSelStart >= 0 && record->nSelEnd >= 0);
        const std::string written = formatFileStatusRecord(*record);
        FUZZ_CHECK(written.find_first_of("\r\n") == std::string::npos || path.find_first_of("\r\n") != std::string::npos);
        const auto reread = parseFileStatusRecord(written, path);
        FUZZ_CHECK(reread && *reread == *record);
    }

    // Bookmarks restored into an editor's text without any read back as the
    // lines asked for that the text has.
    std::string editorText;
    for (const char c : text) {
        if (c == '\n') editorText += '\r';
        if (c != '\r') editorText += c;
    }
    std::sort(lines.begin(), lines.end());
    lines.erase(std::unique(lines.begin(), lines.end()), lines.end());
    std::string restored = editorText;
    std::size_t previous = 0;
    for (const std::size_t offset : bookmarkInsertOffsets(editorText, lines)) {
        FUZZ_CHECK(offset >= previous && offset <= restored.size());
        restored.insert(offset, 1, '\r');
        previous = offset;
    }
    const auto lineCount = std::count(editorText.begin(), editorText.end(), '\n');
    std::vector<int> expected;
    for (const int n : lines)
        if (n >= 1 && n <= lineCount) expected.push_back(n);
    FUZZ_CHECK(bookmarkedLines(restored) == expected);
    bookmarkedLines(text);
    return 0;
}

// Loading any bytes, saving the text in either line-end form and loading that
// again gives the same editor text; pieces load as the whole does; offsets
// between a UNIX file and its text convert both ways and stay in the text.
#include <fuzzer/FuzzedDataProvider.h>

#include <string>

#include "FuzzCheck.h"
#include "document/LineEnds.h"

using namespace tagloom;

namespace {

std::string savedBytes(std::string_view text, bool bUnixFile) {
    std::string bytes;
    FUZZ_CHECK(writeFileBytes(text, bUnixFile, [&](std::string_view block) {
        bytes.append(block);
        return true;
    }));
    return bytes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    const std::size_t pieceLength = input.ConsumeIntegralInRange<std::size_t>(1, 64);
    const int selStart = input.ConsumeIntegral<int>();
    const int selEnd = input.ConsumeIntegral<int>();
    const std::string fileBytes = input.ConsumeRemainingBytesAsString();

    const LoadedText loaded = toEditorText(fileBytes);
    // The editor's text breaks lines with CR LF and holds no other CR or LF.
    for (std::size_t i = 0; i < loaded.text.size(); ++i) {
        if (loaded.text[i] == '\r') FUZZ_CHECK(i + 1 < loaded.text.size() && loaded.text[i + 1] == '\n');
        if (loaded.text[i] == '\n') FUZZ_CHECK(i > 0 && loaded.text[i - 1] == '\r');
    }

    LineEndCount count;
    count.add(fileBytes);
    FUZZ_CHECK(editorTextLength(fileBytes.size(), count) == loaded.text.size());
    EditorTextBuilder builder(loaded.text.size());
    for (std::size_t at = 0; at < fileBytes.size(); at += pieceLength)
        builder.append(std::string_view(fileBytes).substr(at, pieceLength));
    const LoadedText pieced = builder.finish();
    FUZZ_CHECK(pieced.text == loaded.text);
    FUZZ_CHECK(pieced.bUnixFile == loaded.bUnixFile && pieced.nStrayCRs == loaded.nStrayCRs);

    for (const bool bUnixFile : {false, true}) {
        const std::string saved = savedBytes(loaded.text, bUnixFile);
        const LoadedText reloaded = toEditorText(saved);
        FUZZ_CHECK(reloaded.text == loaded.text);
        FUZZ_CHECK(reloaded.nStrayCRs == 0);
    }

    const std::string unixBytes = savedBytes(loaded.text, true);
    for (std::size_t fileOffset = 0; fileOffset <= unixBytes.size(); fileOffset += 1 + fileOffset / 8) {
        const std::size_t textOffset = fileOffsetToTextOffset(loaded.text, fileOffset);
        FUZZ_CHECK(textOffset <= loaded.text.size());
        FUZZ_CHECK(textOffsetToFileOffset(loaded.text, textOffset) == fileOffset);
        // A line break is never split.
        FUZZ_CHECK(textOffset == 0 || loaded.text[textOffset - 1] != '\r' || textOffset == loaded.text.size() ||
                   loaded.text[textOffset] != '\n');
    }

    for (const bool bUnixFile : {false, true}) {
        if (const auto selection = initialSelection(selStart, selEnd, loaded.text, bUnixFile)) {
            FUZZ_CHECK(0 <= selection->start && selection->start <= selection->end);
            FUZZ_CHECK(selection->end <= static_cast<int>(loaded.text.size()));
        }
        strayCarriageReturnNotice(loaded.nStrayCRs, bUnixFile);
    }
    return 0;
}

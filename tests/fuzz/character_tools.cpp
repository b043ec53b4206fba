// The character tools on any bytes, in both encodings: a hex entry reads back
// as its own two digits, Invert twice gives the text back, case changes keep
// every byte that is not a letter where no letter can be, and Windows-1252
// text keeps its length.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdio>
#include <string>

#include "FuzzCheck.h"
#include "html/CharacterTools.h"

using namespace tagloom;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    const std::string entry = input.ConsumeRandomLengthString(8);
    const TextEncoding encoding = input.ConsumeBool() ? TextEncoding::Utf8 : TextEncoding::Windows1252;
    const std::string text = input.ConsumeRemainingBytesAsString();

    if (const auto code = readHexEntry(entry)) {
        char digits[3];
        std::snprintf(digits, sizeof digits, "%02X", static_cast<unsigned>(*code));
        FUZZ_CHECK(readHexEntry(digits) == code);
        const std::string character = characterOfCode(*code, encoding);
        FUZZ_CHECK(codeOfCharacter(character, encoding) == code);
    }

    FUZZ_CHECK(changeCase(changeCase(text, CaseChange::Invert, encoding), CaseChange::Invert, encoding) == text);
    for (const CaseChange change : {CaseChange::Upper, CaseChange::Lower, CaseChange::Invert}) {
        const std::string changed = changeCase(text, change, encoding);
        if (encoding == TextEncoding::Windows1252 || change == CaseChange::Invert) FUZZ_CHECK(changed.size() == text.size());
        if (change == CaseChange::Invert) {
            for (std::size_t i = 0; i < text.size(); ++i) {
                const bool letter = (text[i] | 0x20) >= 'a' && (text[i] | 0x20) <= 'z';
                FUZZ_CHECK(letter ? (changed[i] ^ 0x20) == text[i] : changed[i] == text[i]);
            }
        }
    }
    return 0;
}

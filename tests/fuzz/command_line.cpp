// The command line: any arguments give an absolute path or none and a
// selection that runs forwards (numbers are read as "%d" reads them, so they
// may be negative; the load brings them into the text), and the arguments written for a parsed command line parse
// to the same command line.
#include <fuzzer/FuzzedDataProvider.h>

#include <string>
#include <vector>

#include "FuzzCheck.h"
#include "app/CommandLine.h"

using namespace tagloom;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    std::vector<std::string> arguments;
    for (int i = input.ConsumeIntegralInRange(0, 6); i > 0; --i) {
        std::string argument = input.ConsumeRandomLengthString(48);
        // Switches are rare in random bytes; give them a fair share.
        if (input.ConsumeBool()) argument.insert(0, input.ConsumeBool() ? "/iss" : "/isa");
        arguments.push_back(std::move(argument));
    }
    const CommandLine parsed = parseCommandLine(arguments);
    FUZZ_CHECK(parsed.nInitSelStart <= parsed.nInitSelEnd);
    FUZZ_CHECK(parsed.path.empty() || parsed.path.front() == '/');

    if (!parsed.path.empty() && parsed.path.find('"') == std::string::npos) {
        const CommandLine again =
            parseCommandLine(commandLineArguments(parsed.path, parsed.nInitSelStart, parsed.nInitSelEnd));
        FUZZ_CHECK(again.path == parsed.path);
        FUZZ_CHECK(again.nInitSelStart == parsed.nInitSelStart && again.nInitSelEnd == parsed.nInitSelEnd);
    }
    return 0;
}

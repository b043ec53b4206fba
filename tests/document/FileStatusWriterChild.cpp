#include "FileStatusWriterChild.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <vector>

#include "document/FileStatusStore.h"
#include "support/ProgramArguments.h"

namespace tagloom::test {

FileStatusRecord writerRecord(const std::string& path, int n) {
    FileStatusRecord record{path, n % 2 == 1, n % 3 == 0, n, n % 5, 3 * n, 3 * n + 2, n % 4 == 0,
                            n % 6 == 0 ? -1 : n % 80, n % 7 == 0, {}};
    for (int k = 1; k <= 150; ++k) record.bookmarks.push_back(n + k);
    return record;
}

namespace {

int runWriter(const std::string& storePath, const std::string& path, int count) {
    const FileStatusStore store(storePath);
    int failures = 0;
    for (int n = 0; n < count; ++n)
        if (!store.store(writerRecord(path, n))) ++failures;
    return failures == 0 ? 0 : 1;
}

// Runs while the program starts, before main: a writer never reaches the tests.
[[maybe_unused]] const bool writerRole = [] {
    const std::vector<std::string> arguments = ownArguments();
    if (arguments.size() == 5 && arguments[1] == kFileStatusWriterArgument)
        std::_Exit(runWriter(arguments[2], arguments[3], std::atoi(arguments[4].c_str())));
    return false;
}();

}  // namespace

}  // namespace tagloom::test

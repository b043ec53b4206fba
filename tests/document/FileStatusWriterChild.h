#pragma once
// The document test program doubles as a writer of the file status store, so
// a test can run several instances side by side: started as
//   <program> --file-status-writer STORE PATH COUNT
// it stores COUNT states of PATH into STORE, one after another, and exits
// before any test runs, with status 0 when every store was written.
#include <string>

#include "document/FileStatusRecord.h"

namespace tagloom::test {

inline constexpr const char* kFileStatusWriterArgument = "--file-status-writer";

// The writer's n-th state of a path. Every value and a long run of bookmarks
// follow from n, so a reader can tell a whole line from a torn or mixed one.
FileStatusRecord writerRecord(const std::string& path, int n);

}  // namespace tagloom::test

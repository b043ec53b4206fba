#pragma once
// Entries that vanish on a live tree, for tests of Find in Files: while armed,
// the first opening of an entry of the given name first runs the test's
// change to the tree (the entry removed, its folder removed, ...), so the
// search meets the tree as it is after the change, at the moment it opens
// the entry. The test program replaces the C library's openat; every other
// opening passes straight through.
#include <functional>
#include <string>

namespace tagloom::test {

class BeforeOpening {
public:
    BeforeOpening(const std::string& name, std::function<void()> change);
    // Disarms.
    ~BeforeOpening();
    BeforeOpening(const BeforeOpening&) = delete;
    BeforeOpening& operator=(const BeforeOpening&) = delete;

    // Whether the entry was opened and the change made.
    bool struck() const;
};

}  // namespace tagloom::test

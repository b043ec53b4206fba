#pragma once
// File operations that fail on demand, for tests of saving and loading: while
// armed, the n-th open, read, write, flush or rename of a file under a watched
// folder fails with an error the test chooses. The test program replaces the
// C library's functions of those names, so the editor's own code and Qt's file
// classes alike meet the failure; everything else passes straight through.
#include <cerrno>
#include <string>

namespace tagloom::test {

class InjectedFault {
public:
    // Fails the n-th operation (from 1) on files under `folder` with `error`.
    InjectedFault(const std::string& folder, int n, int error = EIO);
    // Disarms.
    ~InjectedFault();
    InjectedFault(const InjectedFault&) = delete;
    InjectedFault& operator=(const InjectedFault&) = delete;

    // Whether the n-th operation came and failed.
    bool struck() const;
    // The operations counted so far.
    int operations() const;
};

}  // namespace tagloom::test

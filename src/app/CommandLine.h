#pragma once
// The program's command line: an optional path, then the switches "/iss" and
// "/isa" giving a selection in the file's byte offsets to show after the load.
// Other instances are started with it to open a file at a found text.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tagloom {

struct CommandLine {
    std::string path;       // absolute; empty when no file was named
    std::string recoverJournal;  // "--recover JOURNAL": the journal to open instead
    int nInitSelStart = 0;  // both 0 unless both switches were given and readable,
    int nInitSelEnd = 0;    // with the start not beyond the end
};

// Reads the arguments that follow the program's name. The first is the path:
// one leading double quote is dropped and the text is cut at its last double
// quote, then made absolute. "--recover" and a journal's path, as the only
// arguments, name a journal to recover instead. Later arguments that begin with "/iss" or "/isa"
// are the switches, each with its number attached ("/iss10") or as the next
// argument ("/iss" "10"), in either order; the first of each kind counts.
CommandLine parseCommandLine(const std::vector<std::string>& arguments);

// The arguments that open path with the selection start..end: the inverse of
// parseCommandLine for a path that is already absolute.
std::vector<std::string> commandLineArguments(const std::string& path, int nInitSelStart, int nInitSelEnd);

// The arguments that open the text a recovery journal holds; an instance
// started with them opens nothing else.
std::vector<std::string> recoverArguments(const std::string& journal);

}  // namespace tagloom

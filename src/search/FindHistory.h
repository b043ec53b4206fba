#pragma once
// The find and replace histories of the Find and Mark dialog, newest first.
#include <cstddef>
#include <string>
#include <vector>

namespace tagloom {

constexpr std::size_t kHistoryLength = 10;

// Puts text at the front unless it is empty or equals the newest entry
// exactly (only the newest is compared: a text further down comes again at
// the top); a history grown past its length loses its oldest entry. True
// when the text was added.
bool addToHistory(std::vector<std::string>& history, const std::string& text);

}  // namespace tagloom

#pragma once
// The longest text the editor holds: offsets are ints, and one past the end
// must still be one.
#include <climits>

namespace tagloom {

constexpr int kMaxTextLength = INT_MAX - 1;

}  // namespace tagloom

#pragma once
#include <cstdint>

namespace tagloom {

// A millisecond clock; tests set the time.
class Clock {
public:
    virtual ~Clock() = default;
    virtual std::int64_t nowMs() const = 0;
};

}  // namespace tagloom

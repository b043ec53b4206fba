#pragma once
// Makes the editor font from a face name and a point size. The Qt front end
// measures real fonts; tests use fixed-pitch stand-ins.
#include <memory>
#include <string>

#include "view/TextMetrics.h"

namespace tagloom {

class FontFactory {
public:
    virtual ~FontFactory() = default;
    // Nothing when no font can be made from them.
    virtual std::unique_ptr<const TextMetrics> createFont(const std::string& faceName, int pointSize) = 0;
};

}  // namespace tagloom

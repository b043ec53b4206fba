#pragma once
// Creates the editor font from a face name and a size in points; nothing when
// the size is not one a font can have. The desktop's font matching supplies
// the nearest face it has (Liberation Mono for "Courier New").
#include "view/FontFactory.h"

namespace tagloom {

class QtFontFactory : public FontFactory {
public:
    std::unique_ptr<const TextMetrics> createFont(const std::string& faceName, int pointSize) override;
    FontFacts describeFont(const std::string& faceName, int pointSize) override;
};

}  // namespace tagloom

// Color from Text on any selected text: a colour it reads has components from
// 0 to 255, and the colour's own "#rrggbb" text reads back as that colour.
#include <string_view>

#include "FuzzCheck.h"
#include "view/ViewRules.h"

using namespace tagloom;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto color = colorFromText(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!color) return 0;
    for (const int component : {color->red, color->green, color->blue}) FUZZ_CHECK(0 <= component && component <= 255);
    const auto reread = colorFromText(colorText(*color));
    FUZZ_CHECK(reread && *reread == *color);
    return 0;
}

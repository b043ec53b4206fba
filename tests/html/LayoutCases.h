#pragma once
// Tables of HTML Format cases: each input must format to exactly the text
// expected.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "html/HtmlFormatter.h"

namespace tagloom::test {

struct LayoutCase {
    const char* name;
    std::string input;
    std::string expected;
};

inline void expectLayouts(const std::vector<LayoutCase>& cases) {
    const HtmlFormatter formatter;
    for (const LayoutCase& c : cases) {
        const HtmlFormatResult result = formatter.format(c.input);
        ASSERT_EQ(result.outcome, HtmlFormatResult::Outcome::Formatted) << c.name;
        EXPECT_EQ(result.text, c.expected) << c.name;
    }
}

}  // namespace tagloom::test

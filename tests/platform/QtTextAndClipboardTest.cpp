// The editor's bytes on their way to the desktop and back.
#include <QClipboard>
#include <QGuiApplication>
#include <gtest/gtest.h>

#include "platform/qt/QtPlatform.h"
#include "platform/qt/QtText.h"

namespace tagloom {
namespace {

TEST(QtText, bytesShowAsUtf8WhereTheyAreAndAsWindows1252WhereTheyAreNot) {
    struct Case {
        std::string bytes;
        QString shown;
    };
    const Case cases[] = {
        {"plain <p>", QStringLiteral("plain <p>")},
        {"caf\xC3\xA9 \xE2\x82\xAC", QStringLiteral("caf\u00E9 \u20AC")},          // UTF-8 throughout
        {"caf\xE9 \x80", QStringLiteral("caf\u00E9 \u20AC")},                      // Windows-1252 bytes
        {"\xE9 \xF0\x9F\x98\x80", QString::fromUtf8("\xC3\xA9 \xF0\x9F\x98\x80")},  // mixed, beyond 16 bits
        {std::string("a\0b\r\n", 5), QString::fromUtf8("a\0b\r\n", 5)},           // control bytes stay
    };
    for (const Case& c : cases) EXPECT_EQ(toQString(c.bytes), c.shown) << c.bytes;
}

TEST(QtClipboard, givesBackTheEditorsBytesExactlyAndOffersTheTextToOthers) {
    if (!QGuiApplication::clipboard()) GTEST_SKIP() << "no clipboard on this platform";
    QtClipboard clipboard;
    const std::string bytes = "caf\xE9 \x80 \xC3\xA9";
    ASSERT_TRUE(clipboard.setText(bytes));
    EXPECT_TRUE(clipboard.hasText());
    EXPECT_EQ(clipboard.text(), bytes);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("caf\u00E9 \u20AC \u00E9"));

    QGuiApplication::clipboard()->setText(QStringLiteral("from another program \u00E9"));
    EXPECT_EQ(clipboard.text(), "from another program \xC3\xA9");
    QGuiApplication::clipboard()->clear();
    EXPECT_FALSE(clipboard.hasText());
    EXPECT_FALSE(clipboard.text());
}

}  // namespace
}  // namespace tagloom

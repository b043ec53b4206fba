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

TEST(QtClipboard, givesBackTheEditorsBytesInTheirEncodingAndOffersOthersPlainTextWithLineFeeds) {
    if (!QGuiApplication::clipboard()) GTEST_SKIP() << "no clipboard on this platform";
    QtClipboard clipboard;
    const std::string latin = "caf\xE9 \x80\r\nnext\r\r\nend";
    ASSERT_TRUE(clipboard.setText(latin, TextEncoding::Windows1252));
    EXPECT_TRUE(clipboard.hasText());
    EXPECT_EQ(clipboard.text(TextEncoding::Windows1252), latin);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("caf\u00E9 \u20AC\nnext\nend"));
    EXPECT_EQ(clipboard.text(TextEncoding::Utf8), "caf\xC3\xA9 \xE2\x82\xAC\r\nnext\r\nend")
        << "a document in the other encoding gets the characters, not the bytes";

    QGuiApplication::clipboard()->setText(QStringLiteral("from another program \u00E9\nline two\r\nthree"));
    EXPECT_EQ(clipboard.text(TextEncoding::Utf8), "from another program \xC3\xA9\r\nline two\r\nthree");
    EXPECT_EQ(clipboard.text(TextEncoding::Windows1252), "from another program \xE9\r\nline two\r\nthree");
    QGuiApplication::clipboard()->setText(QStringLiteral("\u4E2D"));
    EXPECT_FALSE(clipboard.text(TextEncoding::Windows1252)) << "no byte for it in Windows-1252";
    QGuiApplication::clipboard()->clear();
    EXPECT_FALSE(clipboard.hasText());
    EXPECT_FALSE(clipboard.text(TextEncoding::Utf8));
}

TEST(ClipboardText, theDesktopGetsLineFeedsAndTheEditorCarriageReturnLineFeeds) {
    struct Case {
        std::string editor, desktop, back;
    };
    const Case cases[] = {
        {"a\r\nb", "a\nb", "a\r\nb"},
        {"bookmarked\r\r\nline", "bookmarked\nline", "bookmarked\r\nline"},
        {"stray\rCR", "strayCR", "strayCR"},
        {"\r\n\r\n", "\n\n", "\r\n\r\n"},
        {"", "", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(toDesktopLineEnds(c.editor), c.desktop) << c.editor;
        EXPECT_EQ(toEditorLineEnds(c.desktop), c.back) << c.desktop;
    }
    EXPECT_EQ(toEditorLineEnds("windows\r\nlines\n"), "windows\r\nlines\r\n");
}

}  // namespace
}  // namespace tagloom

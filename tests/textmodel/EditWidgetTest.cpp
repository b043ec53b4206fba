#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

#include "resources/CommandIds.h"
#include "support/ViewFixture.h"
#include "textmodel/qt/EditWidget.h"
#include "view/qt/QtFontFactory.h"
#include "view/qt/ViewInput.h"
#include "view/qt/ViewPainter.h"

namespace tagloom {
namespace {

// A view on real fonts inside its widget, offscreen.
struct WidgetFixture {
    WidgetFixture() : f(&fonts), input(*f.view), widget(f.view->control(), input) {
        f.view->settings().bWrap = 0;
        f.control().setWordWrap(false);
        widget.resize(640, 400);
        widget.show();
        widget.setFocus();
    }
    void load(const std::string& bytes) {
        f.view->adoptLoadedText(toEditorText(bytes));
        f.view->initialUpdate();
        f.fake.uiQueue.drain();
    }
    std::string text() { return f.text(); }
    QtFontFactory fonts;
    test::ViewFixture f;
    ViewInput input;
    EditWidget widget;
};

TEST(EditWidget, typingEnterAndBackspaceOverALineBreak) {
    WidgetFixture w;
    w.load("");
    QTest::keyClicks(&w.widget, "ab");
    QTest::keyClick(&w.widget, Qt::Key_Return);
    QTest::keyClicks(&w.widget, "c");
    EXPECT_EQ(w.text(), "ab\r\nc");
    QTest::keyClick(&w.widget, Qt::Key_Backspace);
    QTest::keyClick(&w.widget, Qt::Key_Backspace);
    EXPECT_EQ(w.text(), "ab");  // the whole line break went at once
    EXPECT_TRUE(w.f.document.IsModified());
}

// Key presses carrying characters that no key of QTest's tables has.
void typeCharacters(QWidget& widget, const QString& text) {
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(&widget, &press);
    }
}

TEST(EditWidget, typedCharactersAreStoredInTheDocumentsEncodingOrRefusedWithABeep) {
    WidgetFixture w;
    w.load("caf\xE9\n");  // Windows-1252
    w.f.control().setSel(4, 4);
    typeCharacters(w.widget, QStringLiteral("\u00E9\u20AC"));
    EXPECT_EQ(w.text(), "caf\xE9\xE9\x80\r\n");
    typeCharacters(w.widget, QStringLiteral("\u4E2D"));
    EXPECT_EQ(w.text(), "caf\xE9\xE9\x80\r\n");
    EXPECT_EQ(w.f.fake.desktop.beeps, 1);

    w.load("caf\xC3\xA9\n");  // UTF-8
    w.f.control().setSel(5, 5);
    typeCharacters(w.widget, QStringLiteral("\u00E9\u4E2D"));
    EXPECT_EQ(w.text(), "caf\xC3\xA9\xC3\xA9\xE4\xB8\xAD\r\n");
}

TEST(EditWidget, shiftWithArrowsAndTheMouseSelect) {
    WidgetFixture w;
    w.load("hello world\nsecond line");
    w.f.control().setSel(0, 0);
    QTest::keyClick(&w.widget, Qt::Key_Right, Qt::ShiftModifier);
    QTest::keyClick(&w.widget, Qt::Key_Right, Qt::ShiftModifier);
    const auto selected = [&w] { return w.f.control().selectedText(); };
    EXPECT_EQ(selected(), "he");
    QTest::keyClick(&w.widget, Qt::Key_End, Qt::ShiftModifier);
    EXPECT_EQ(selected(), "hello world");

    const Point start = w.f.control().posFromChar(6);
    const Point end = w.f.control().posFromChar(11);
    const int y = start.y + w.f.view->lineHeight() / 2;
    QTest::mousePress(w.widget.viewport(), Qt::LeftButton, {}, QPoint(start.x + 1, y));
    QMouseEvent move(QEvent::MouseMove, QPointF(end.x + 1, y), QPointF(end.x + 1, y), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(w.widget.viewport(), &move);
    QTest::mouseRelease(w.widget.viewport(), Qt::LeftButton, {}, QPoint(end.x + 1, y));
    EXPECT_EQ(selected(), "world");
    EXPECT_EQ(w.f.pane(str::PaneLnCol), "\tLn 1, Col 7");
}

// The scroll bars follow the text and the view without waiting for a key.
TEST(EditWidget, scrollBarsReflectTheTextAfterALoadAWrapChangeAResizeAndAZoom) {
    WidgetFixture w;
    QScrollBar* vertical = w.widget.verticalScrollBar();
    QScrollBar* horizontal = w.widget.horizontalScrollBar();
    const auto settle = [&w] {
        w.widget.grab();  // a paint measures the lines shown
        QApplication::processEvents();
        w.f.fake.uiQueue.drain();
    };

    w.load("short\nfile\n");
    settle();
    EXPECT_EQ(vertical->maximum(), 0) << "nothing to scroll";
    EXPECT_EQ(horizontal->maximum(), 0);

    std::string page;
    for (int i = 0; i < 300; ++i) page += "line " + std::to_string(i) + "\n";
    page += std::string(400, 'w') + "\n";
    w.load(page);
    settle();
    const int visible = w.f.control().visibleLineCount();
    EXPECT_EQ(vertical->maximum(), w.f.control().lineCount() - visible);
    EXPECT_EQ(vertical->pageStep(), visible);
    EXPECT_EQ(vertical->value(), 0);
    EXPECT_EQ(horizontal->maximum(), 0) << "the wide line is not shown yet";
    QTest::keyClick(&w.widget, Qt::Key_End, Qt::ControlModifier);
    settle();
    EXPECT_GT(horizontal->maximum(), 0) << "the wide line is shown";
    EXPECT_EQ(vertical->value(), w.f.control().firstVisibleLine());

    w.f.view->ToggleWordWrap();
    settle();
    EXPECT_FALSE(horizontal->isVisible()) << "nothing to scroll sideways once words wrap";
    EXPECT_EQ(vertical->maximum(), w.f.control().lineCount() - w.f.control().visibleLineCount());
    w.f.view->ToggleWordWrap();
    settle();
    EXPECT_TRUE(horizontal->isVisible());

    w.widget.resize(640, 200);
    settle();
    EXPECT_EQ(vertical->pageStep(), w.f.control().visibleLineCount());
    w.f.view->ZoomIn();
    settle();
    EXPECT_EQ(vertical->pageStep(), w.f.control().visibleLineCount());
    EXPECT_EQ(vertical->maximum(), std::max(w.f.control().lineCount() - w.f.control().visibleLineCount(),
                                            w.f.control().firstVisibleLine()));
}

TEST(EditWidget, pageDownAndTheWheelScroll) {
    WidgetFixture w;
    std::string page;
    for (int i = 0; i < 500; ++i) page += "line " + std::to_string(i) + "\n";
    w.load(page);
    QTest::keyClick(&w.widget, Qt::Key_PageDown);
    EXPECT_GT(w.f.control().firstVisibleLine(), 0);
    const int top = w.f.control().firstVisibleLine();
    QWheelEvent wheel(QPointF(10, 10), w.widget.mapToGlobal(QPointF(10, 10)), QPoint(), QPoint(0, -120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(w.widget.viewport(), &wheel);
    EXPECT_EQ(w.f.control().firstVisibleLine(), top + 3);
}

// Saves what the widget shows, with the view's margin and overlays, for a look.
TEST(EditWidget, screenshotOfAUtf8PageWithABookmarkAStrayCrAndANul) {
    WidgetFixture w;
    w.f.view->settings().bShowLineNum = 1;
    w.load(std::string("<p>caf\xc3\xa9 na\xc3\xafve \xe2\x82\xac \xf0\x9f\x98\x80</p>\n<b>stray\rCR</b>\n"
                       "<i>NUL:\0:</i>\nbookmarked line\n<p>marked cat. cats _cat cat</p>\n",
                       107));
    w.f.control().setSel(w.f.view->textLineStart(4) - 2, w.f.view->textLineStart(4) - 2);
    w.f.control().replaceSel("\r");  // bookmark the fourth line
    const int stray = static_cast<int>(w.text().find("strayCR")) + 5;
    w.f.control().setSel(stray, stray);
    w.f.control().replaceSel("\r");  // a load drops stray CRs: put one in by hand
    w.f.view->marks().strMarkText = "cat";
    w.f.view->settings().bWholeWord = 1;
    w.f.view->marks().bMarkHighlight = 1;
    w.f.view->guides().guides.bLineGuide = 1;
    w.f.view->guides().guides.nColumnGuideX = 30 * w.f.view->charWidth();
    w.f.control().setSel(0, 8);
    w.f.pane(str::PaneLines);  // the idle recount that finds the bookmark
    w.widget.setMarker([&](int from, int to, std::vector<Selection>& marked) {
        MarkedStretches(*w.f.view, from, to, marked);
    });
    w.widget.setDecorator([&](QPainter& painter) {
        PaintMargin(painter, *w.f.view, w.widget);
        PaintOverlays(painter, *w.f.view);
    });
    const QImage shot = w.widget.grab().toImage();
    ASSERT_FALSE(shot.isNull());
    const QByteArray path = qgetenv("TAGLOOM_SCREENSHOT");
    if (!path.isEmpty()) shot.save(QString::fromLocal8Bit(path));
    // The margin is yellow and the bookmarked line's margin blue.
    const int y4 = w.f.control().posFromChar(w.f.view->textLineStart(3)).y + 2;
    EXPECT_EQ(shot.pixelColor(2, 3), QColor(255, 255, 0));
    EXPECT_EQ(shot.pixelColor(2, y4 + 2), QColor(0, 0, 255));
}

}  // namespace
}  // namespace tagloom

namespace tagloom {
namespace {

TEST(EditWidget, aLongBookmarkedLineWrapsWithOneNumberAndBlueOnAllItsParts) {
    WidgetFixture w;
    w.f.view->settings().bShowLineNum = 1;
    std::string longLine;
    for (int i = 0; i < 40; ++i) longLine += "word" + std::to_string(i) + " ";
    w.load("first\n" + longLine + "\nlast\n");
    w.f.view->ToggleWordWrap();
    ASSERT_TRUE(w.f.control().wordWrap());
    const int lineFeed = w.f.view->textLineStart(2) - 1;
    w.f.control().setSel(lineFeed - 1, lineFeed - 1);
    w.f.control().replaceSel("\r");
    w.f.pane(str::PaneLines);
    w.widget.setDecorator([&](QPainter& painter) { PaintMargin(painter, *w.f.view, w.widget); });
    const QImage shot = w.widget.grab().toImage();
    const QByteArray path = qgetenv("TAGLOOM_SCREENSHOT_WRAP");
    if (!path.isEmpty()) shot.save(QString::fromLocal8Bit(path));
    const int second = w.f.view->textLineStart(1);
    const int firstRow = w.f.control().lineFromChar(second);
    const int lastRow = w.f.control().lineFromChar(lineFeed);
    ASSERT_GT(lastRow, firstRow);  // the line wraps
    for (int row = firstRow; row <= lastRow; ++row) {
        const int y = w.f.control().posFromChar(w.f.control().lineIndex(row)).y + 1;
        EXPECT_EQ(shot.pixelColor(1, y), QColor(0, 0, 255)) << "row " << row;
    }
}

}  // namespace
}  // namespace tagloom

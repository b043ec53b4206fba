#include "platform/qt/WindowTitle.h"

#include <QApplication>
#include <QFontMetrics>

namespace tagloom {

namespace {

// The window icon and the iconify, maximise and close buttons, with the
// gaps between them and the frame, in lines of the application font.
constexpr int kTitleBarButtonLines = 8;

}  // namespace

int titleBarWidth(const QString& title) {
    QFont font = QApplication::font();
    font.setBold(true);
    const QFontMetrics metrics(font);
    return metrics.horizontalAdvance(title) * 11 / 10 + kTitleBarButtonLines * metrics.height();
}

}  // namespace tagloom

// The toolbar icons: one per button, drawn at any size and pixel ratio, each
// distinct, grey when disabled. With TAGLOOM_ICON_SHEET set to a file name,
// the test also writes a contact sheet of every icon at 32 and 64 pixels.
#include <gtest/gtest.h>

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>

#include <map>
#include <vector>

#include "resources/Resources.h"
#include "resources/qt/ToolbarIcons.h"

namespace tagloom {
namespace {

std::vector<int> toolbarButtons() {
    std::vector<int> buttons;
    for (const res::ToolbarSpec& bar : res::toolbars())
        for (int id : bar.buttons)
            if (id != 0) buttons.push_back(id);
    return buttons;
}

QImage render(int id, int size, qreal ratio = 1.0, QIcon::Mode mode = QIcon::Normal) {
    return toolbarIcon(id).pixmap(QSize(size, size), ratio, mode).toImage().convertToFormat(QImage::Format_ARGB32);
}

double coveredFraction(const QImage& image) {
    int covered = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) covered += qAlpha(image.pixel(x, y)) > 0;
    return static_cast<double>(covered) / (image.width() * image.height());
}

TEST(ToolbarIcons, everyButtonHasAVisibleIconAt32Pixels) {
    for (int id : toolbarButtons()) {
        const QIcon icon = toolbarIcon(id);
        ASSERT_FALSE(icon.isNull()) << id;
        const QImage image = render(id, 32);
        ASSERT_EQ(image.size(), QSize(32, 32)) << id;
        EXPECT_GT(coveredFraction(image), 0.1) << "icon of " << id << " is nearly empty";
    }
}

TEST(ToolbarIcons, drawAtTheDevicePixelsOfAHighDensityScreen) {
    for (int id : toolbarButtons()) {
        const QPixmap pixmap = toolbarIcon(id).pixmap(QSize(32, 32), 2.0);
        EXPECT_EQ(pixmap.size(), QSize(64, 64)) << id;
        EXPECT_DOUBLE_EQ(pixmap.devicePixelRatio(), 2.0) << id;
        // Drawn afresh, not a 32-pixel picture blown up.
        QImage sharp = render(id, 32, 2.0);
        sharp.setDevicePixelRatio(1.0);
        EXPECT_NE(sharp, render(id, 32).scaled(64, 64)) << id;
    }
}

TEST(ToolbarIcons, noTwoButtonsShareAPicture) {
    std::map<int, QImage> seen;
    for (int id : toolbarButtons()) {
        const QImage image = render(id, 32);
        for (const auto& [other, picture] : seen) EXPECT_NE(image, picture) << id << " looks like " << other;
        seen.emplace(id, image);
    }
}

TEST(ToolbarIcons, disabledIconsAreGrey) {
    for (int id : toolbarButtons()) {
        const QImage image = render(id, 32, 1.0, QIcon::Disabled);
        bool grey = true;
        for (int y = 0; y < image.height() && grey; ++y)
            for (int x = 0; x < image.width() && grey; ++x) {
                const QRgb pixel = image.pixel(x, y);
                grey = qRed(pixel) == qGreen(pixel) && qGreen(pixel) == qBlue(pixel);
            }
        EXPECT_TRUE(grey) << id;
        EXPECT_GT(coveredFraction(image), 0.1) << id;
    }
}

TEST(ToolbarIcons, commandsWithoutAButtonHaveNoIcon) {
    for (int id : {0, 32819, 57665, 59393}) EXPECT_TRUE(toolbarIcon(id).isNull()) << id;
}

// Each button at 64 pixels, then at 32 pixels enabled and disabled, with its
// id, toolbar by toolbar, on a toolbar's background colour.
void writeContactSheet(const QString& path) {
    constexpr int kCell = 84;
    constexpr int kRow = 116;
    std::size_t columns = 0;
    for (const res::ToolbarSpec& bar : res::toolbars()) columns = std::max(columns, bar.buttons.size());
    QImage sheet(static_cast<int>(columns) * kCell + 16, static_cast<int>(res::toolbars().size()) * kRow + 16,
                 QImage::Format_ARGB32);
    sheet.fill(QColor(0xef, 0xf0, 0xf1));
    QPainter p(&sheet);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(11);
    p.setFont(font);
    int y = 8;
    for (const res::ToolbarSpec& bar : res::toolbars()) {
        int x = 8;
        for (int id : bar.buttons) {
            if (id != 0) {
                p.drawImage(x + (kCell - 64) / 2, y, render(id, 64));
                p.drawImage(x + kCell / 2 - 36, y + 68, render(id, 32));
                p.drawImage(x + kCell / 2 + 4, y + 68, render(id, 32, 1.0, QIcon::Disabled));
                p.drawText(QRect(x, y + 100, kCell, 14), Qt::AlignCenter, QString::number(id));
            }
            x += kCell;
        }
        y += kRow;
    }
    p.end();
    ASSERT_TRUE(sheet.save(path)) << path.toStdString();
}

TEST(ToolbarIcons, contactSheetOnRequest) {
    const QString path = qEnvironmentVariable("TAGLOOM_ICON_SHEET");
    if (path.isEmpty()) GTEST_SKIP() << "set TAGLOOM_ICON_SHEET to a PNG file name to write the contact sheet";
    writeContactSheet(path);
}

}  // namespace
}  // namespace tagloom

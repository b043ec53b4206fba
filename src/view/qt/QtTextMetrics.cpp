#include "view/qt/QtTextMetrics.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QGuiApplication>
#include <QScreen>
#include <utility>

#include "settings/EditorSettings.h"

namespace tagloom {

namespace {

QString textOf(char32_t codePoint) {
    const char32_t units[1] = {codePoint};
    return QString::fromUcs4(units, 1);
}

}  // namespace

QtTextMetrics::QtTextMetrics(const QFont& font)
    : font_(font),
      metrics_(font),
      lineHeight_(std::max(1, metrics_.height())),
      averageCharWidth_(std::max(1, metrics_.averageCharWidth())) {
    for (int c = 0; c < 256; ++c) latinWidths_[c] = metrics_.horizontalAdvance(QChar(c));
}

int QtTextMetrics::charWidth(char32_t codePoint) const {
    if (codePoint < 256) return latinWidths_[codePoint];
    const auto it = otherWidths_.find(codePoint);
    if (it != otherWidths_.end()) return it->second;
    int width = metrics_.horizontalAdvance(textOf(codePoint));
    // The pictures that stand for control bytes keep room for their box even
    // where the font has no glyph for them.
    if (codePoint >= 0x2400 && codePoint <= 0x2426) width = std::max(width, averageCharWidth_);
    otherWidths_.emplace(codePoint, width);
    return width;
}

std::unique_ptr<const TextMetrics> QtFontFactory::createFont(const std::string& faceName, int pointSize) {
    if (pointSize < 1 || pointSize > EditorSettings::kLargestPointSize || faceName.empty()) return nullptr;
    QFont font(QString::fromStdString(faceName), pointSize);
    font.setStyleHint(QFont::TypeWriter, QFont::PreferDefault);
    font.setKerning(false);
    return std::make_unique<QtTextMetrics>(font);
}

}  // namespace tagloom

namespace tagloom {

namespace {

// The character-set names of the report, by the writing system a font covers first.
constexpr std::pair<QFontDatabase::WritingSystem, const char*> kCharacterSets[] = {
    {QFontDatabase::Latin, "ANSI_CHARSET"},
    {QFontDatabase::Greek, "GREEK_CHARSET"},
    {QFontDatabase::Cyrillic, "RUSSIAN_CHARSET"},
    {QFontDatabase::Hebrew, "HEBREW_CHARSET"},
    {QFontDatabase::Arabic, "ARABIC_CHARSET"},
    {QFontDatabase::Thai, "THAI_CHARSET"},
    {QFontDatabase::Vietnamese, "VIETNAMESE_CHARSET"},
    {QFontDatabase::SimplifiedChinese, "GB2312_CHARSET"},
    {QFontDatabase::TraditionalChinese, "CHINESEBIG5_CHARSET"},
    {QFontDatabase::Japanese, "SHIFTJIS_CHARSET"},
    {QFontDatabase::Korean, "HANGUL_CHARSET"},
    {QFontDatabase::Symbol, "SYMBOL_CHARSET"},
};

}  // namespace

// Qt tells no character set and no font technology: the set is named after
// the first writing system of the face that has a name, and every scalable
// (outline) face counts as a vector and a TrueType font.
FontFacts QtFontFactory::describeFont(const std::string& faceName, int pointSize) {
    FontFacts facts;
    const QFont font(QString::fromStdString(faceName), std::max(1, pointSize));
    const QFontMetrics metrics(font);
    facts.digitsWidth = metrics.horizontalAdvance(QStringLiteral("12345678901234567890123456"));
    facts.capitalsWidth = metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ"));
    facts.smallWidth = metrics.horizontalAdvance(QStringLiteral("abcdefghijklmnopqrstuvwxyz"));
    const QString family = QFontInfo(font).family();
    const auto systems = QFontDatabase::writingSystems(family);
    for (const auto& [system, name] : kCharacterSets)
        if (systems.contains(system)) {
            facts.characterSet = name;
            break;
        }
    const QScreen* screen = QGuiApplication::primaryScreen();
    const int dpi = std::max(1, screen ? static_cast<int>(screen->logicalDotsPerInchY()) : 96);
    facts.pointSize = ((metrics.height() + metrics.ascent()) * 72 / 2) / dpi;
    facts.vector = facts.trueType = QFontDatabase::isScalable(family);
    return facts;
}

}  // namespace tagloom

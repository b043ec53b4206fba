#include "view/qt/QtFontFactory.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QGuiApplication>
#include <QScreen>
#include <utility>

#include "settings/EditorSettings.h"
#include "textmodel/qt/QtTextMetrics.h"

namespace tagloom {

std::unique_ptr<const TextMetrics> QtFontFactory::createFont(const std::string& faceName, int pointSize) {
    if (pointSize < 1 || pointSize > EditorSettings::kLargestPointSize || faceName.empty()) return nullptr;
    QFont font(QString::fromStdString(faceName), pointSize);
    font.setStyleHint(QFont::TypeWriter, QFont::PreferDefault);
    font.setKerning(false);
    return std::make_unique<QtTextMetrics>(font);
}

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

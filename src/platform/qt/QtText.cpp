#include "platform/qt/QtText.h"

#include "view/TextUnit.h"

namespace tagloom {

QString toQString(std::string_view bytes) {
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    std::size_t i = 0;
    while (i < bytes.size()) {
        const TextUnit unit = decodeUnit(p + i, static_cast<int>(std::min<std::size_t>(bytes.size() - i, 4)));
        // Control bytes stay themselves here: only the editor's display draws them as pictures.
        const char32_t c = unit.kind == UnitKind::Symbol || unit.kind == UnitKind::Tab ? p[i] : unit.codePoint;
        const char32_t units[1] = {c};
        text.append(QString::fromUcs4(units, 1));
        i += static_cast<std::size_t>(unit.length);
    }
    return text;
}

std::string fromQString(const QString& text) { return text.toStdString(); }

}  // namespace tagloom

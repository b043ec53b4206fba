#include "platform/qt/QtText.h"

#include <QStringDecoder>

#include "textmodel/TextUnit.h"

namespace tagloom {

QString toQString(std::string_view bytes) {
    // Text that is UTF-8 throughout, the usual case, decodes in one step.
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString decoded = utf8(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    if (!utf8.hasError()) return decoded;

    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    std::size_t i = 0;
    while (i < bytes.size()) {
        const TextUnit unit = decodeUnit(p + i, static_cast<int>(std::min<std::size_t>(bytes.size() - i, 4)));
        // Control bytes stay themselves here: only the editor's display draws them as pictures.
        const char32_t c = unit.kind == UnitKind::Symbol || unit.kind == UnitKind::Tab ? p[i] : unit.codePoint;
        if (QChar::requiresSurrogates(c)) {
            text.append(QChar(QChar::highSurrogate(c)));
            text.append(QChar(QChar::lowSurrogate(c)));
        } else {
            text.append(QChar(static_cast<char16_t>(c)));
        }
        i += static_cast<std::size_t>(unit.length);
    }
    return text;
}

std::string fromQString(const QString& text) { return text.toStdString(); }

}  // namespace tagloom

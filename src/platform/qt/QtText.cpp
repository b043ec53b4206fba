#include "platform/qt/QtText.h"

#include <QStringDecoder>

#include "textmodel/TextUnit.h"

namespace tagloom {

namespace {

// Calls f(c, bytes) for each character of the text as toQString shows it:
// a UTF-8 sequence as its code point, any other byte as its Windows-1252
// character, control bytes as themselves.
template <class F>
void forEachShownCharacter(std::string_view bytes, F&& f) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    std::size_t i = 0;
    while (i < bytes.size()) {
        const TextUnit unit = decodeUnit(p + i, static_cast<int>(std::min<std::size_t>(bytes.size() - i, 4)));
        const char32_t c = unit.kind == UnitKind::Symbol || unit.kind == UnitKind::Tab ? p[i] : unit.codePoint;
        if (!f(c, static_cast<std::size_t>(unit.length))) return;
        i += static_cast<std::size_t>(unit.length);
    }
}

}  // namespace

QString toQString(std::string_view bytes) {
    // Text that is UTF-8 throughout, the usual case, decodes in one step.
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString decoded = utf8(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    if (!utf8.hasError()) return decoded;

    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    forEachShownCharacter(bytes, [&text](char32_t c, std::size_t) {
        if (QChar::requiresSurrogates(c)) {
            text.append(QChar(QChar::highSurrogate(c)));
            text.append(QChar(QChar::lowSurrogate(c)));
        } else {
            text.append(QChar(static_cast<char16_t>(c)));
        }
        return true;
    });
    return text;
}

std::size_t byteOffsetOf(std::string_view bytes, qsizetype index) {
    std::size_t offset = 0;
    qsizetype shown = 0;
    forEachShownCharacter(bytes, [&](char32_t c, std::size_t length) {
        if (shown >= index) return false;
        shown += QChar::requiresSurrogates(c) ? 2 : 1;
        offset += length;
        return true;
    });
    return offset;
}

std::string fromQString(const QString& text) { return text.toStdString(); }

}  // namespace tagloom

#include "platform/qt/QtText.h"

#include "platform/Encoding.h"
#include "view/TextUnit.h"

namespace tagloom {

QString toQString(std::string_view bytes) {
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    std::size_t i = 0;
    while (i < bytes.size()) {
        const int length = utf8SequenceLength(p + i, bytes.size() - i);
        const char32_t c = length > 0 ? decodeUtf8(p + i, length) : windows1252ToUnicode(p[i]);
        if (c > 0xFFFF) {
            text.append(QChar(QChar::highSurrogate(c)));
            text.append(QChar(QChar::lowSurrogate(c)));
        } else {
            text.append(QChar(static_cast<char16_t>(c)));
        }
        i += length > 0 ? static_cast<std::size_t>(length) : 1;
    }
    return text;
}

std::string fromQString(const QString& text) { return text.toStdString(); }

}  // namespace tagloom

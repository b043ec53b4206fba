#pragma once
// Reads a printed PDF back with poppler's tools: the text as laid out
// (pdftotext -layout), the words with their boxes in points from the page's
// top left (pdftotext -bbox), and the page count and size (pdfinfo).
#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <string>
#include <vector>

namespace tagloom::test {

inline std::string runTool(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0) return {};
    return process.readAllStandardOutput().toStdString();
}

// The text of the pages, each ended by a form feed.
inline std::string pdfLayoutText(const std::string& path) {
    return runTool(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), QString::fromStdString(path), QStringLiteral("-")});
}

struct PdfWord {
    int page = 0;  // 1-based
    std::string text;
    double xMin = 0, yMin = 0, xMax = 0, yMax = 0;
};

struct PdfPages {
    double width = 0, height = 0;  // of the first page, in points
    std::vector<PdfWord> words;
    int count = 0;
};

inline PdfPages pdfWords(const std::string& path) {
    const QString html = QString::fromStdString(
        runTool(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), QString::fromStdString(path), QStringLiteral("-")}));
    static const QRegularExpression pageOrWord(
        QString::fromLatin1(R"re(<page width="([\d.]+)" height="([\d.]+)">|<word xMin="([\d.]+)" yMin="([\d.]+)" )re"
                            R"re(xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"));
    PdfPages pages;
    for (auto it = pageOrWord.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        if (!m.captured(1).isEmpty()) {
            if (pages.count++ == 0) pages.width = m.captured(1).toDouble(), pages.height = m.captured(2).toDouble();
            continue;
        }
        PdfWord word{pages.count, m.captured(7).toStdString(), m.captured(3).toDouble(), m.captured(4).toDouble(),
                     m.captured(5).toDouble(), m.captured(6).toDouble()};
        pages.words.push_back(std::move(word));
    }
    return pages;
}

// The pixels of the first page, drawn at 50 dots an inch, whose colour is
// not a grey: their red, green and blue differ by more than a little.
inline int colouredPixels(const std::string& path) {
    QProcess process;
    process.start(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("50"), QStringLiteral("-f"),
                                               QStringLiteral("1"), QStringLiteral("-l"), QStringLiteral("1"),
                                               QString::fromStdString(path)});
    if (!process.waitForFinished(60000) || process.exitCode() != 0) return -1;
    const QByteArray image = process.readAllStandardOutput();
    // P6, width, height and the largest value, each followed by one blank.
    int fields = 0;
    qsizetype at = 0;
    while (fields < 4 && at < image.size()) {
        while (at < image.size() && QChar(image[at]).isSpace()) ++at;
        while (at < image.size() && !QChar(image[at]).isSpace()) ++at;
        ++fields;
    }
    int coloured = 0;
    for (++at; at + 2 < image.size(); at += 3) {
        const auto r = static_cast<unsigned char>(image[at]), g = static_cast<unsigned char>(image[at + 1]),
                   b = static_cast<unsigned char>(image[at + 2]);
        if (std::max({r, g, b}) - std::min({r, g, b}) > 40) ++coloured;
    }
    return coloured;
}

}  // namespace tagloom::test

#pragma once
// Reads a printed PDF back with poppler's tools: the text as laid out
// (pdftotext -layout), the words with their boxes in points from the page's
// top left (pdftotext -bbox), and the page count and size (pdfinfo).
#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

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

}  // namespace tagloom::test

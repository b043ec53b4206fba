#include "PdfCommand.h"

#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <cstdio>

#include "app/FramePlacement.h"
#include "document/FileIO.h"
#include "platform/qt/QtSettingsStore.h"
#include "print/PrintJob.h"
#include "print/qt/QtPrintFramework.h"
#include "settings/EditorSettings.h"

namespace tagloom::cli {

namespace {

// A script sees this tool's own messages only: Qt's notes about the
// platform it runs on (no runtime folder, no window manager) are dropped.
void keepSerious(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg) std::fprintf(stderr, "tagloom-cli: %s\n", qPrintable(message));
}

}  // namespace

PdfOutcome printPdf(PdfRequest request) {
    // Fonts and the PDF writer need a GUI application, which the offscreen
    // platform gives without a display. Only this command makes one.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(keepSerious);
    int argc = 1;
    char name[] = "tagloom-cli";
    char* argv[] = {name, nullptr};
    QGuiApplication application(argc, argv);

    QtSettingsStore store;
    EditorSettings settings;
    settings.load(store);
    PrintOptions options = PrintOptions::from(settings);
    options.lineNumbers = request.lineNumbers;
    options.header = request.header;
    options.footer = request.footer;
    if (settings.bSyntaxColor && settings.bPrintColor) options.language = request.language;
    PageValues page = readPageValues(store);
    page.orientation = request.landscape ? kOrientationLandscape : kOrientationPortrait;
    PrintJob job(std::move(request.text), request.title, options, page);

    // Printed beside, then written over OUT in one step, so that a failure
    // leaves OUT as it was.
    const QTemporaryDir scratch;
    if (!scratch.isValid()) return {PdfOutcome::Kind::Failed, scratch.errorString().toStdString()};
    const QString printed = scratch.filePath(QStringLiteral("print.pdf"));
    if (!printToPdf(job, printed, page)) {
        if (!job.hasRoomForText()) return {PdfOutcome::Kind::NoRoom, {}};
        return {PdfOutcome::Kind::Failed, "the PDF writer could not write in " + scratch.path().toStdString()};
    }
    QFile file(printed);
    if (!file.open(QIODevice::ReadOnly)) return {PdfOutcome::Kind::Failed, file.errorString().toStdString()};
    const QByteArray bytes = file.readAll();
    const WriteResult written = writeFile(
        request.output,
        [&bytes](const ByteSink& sink) { return sink(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size()))); },
        saveBackupFolder());
    if (!written.ok) return {PdfOutcome::Kind::Failed, written.error};
    return {};
}

}  // namespace tagloom::cli

#include "print/qt/QtPrintFramework.h"

#include <QAction>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QShortcut>

#include "platform/Platform.h"
#include "print/PrintJob.h"
#include "print/qt/PagePainter.h"
#include "resources/CommandIds.h"
#include "resources/Resources.h"
#include "resources/qt/KeySequences.h"

namespace tagloom {

bool printOn(PrintJob& job, QPrinter& printer) {
    QtPrintDevice device(printer);
    job.Begin(device);
    if (!job.hasRoomForText()) return false;
    const bool someOnly = printer.printRange() == QPrinter::PageRange && !printer.pageRanges().isEmpty();
    QPainter painter;
    if (!painter.begin(&printer)) return false;
    // A monochrome printer prints the text black, not in shades of grey.
    PagePainter pages(job, printer.colorMode() == QPrinter::Color);
    bool first = true;
    for (int page = 1; page <= job.pageCount(); ++page) {
        if (someOnly && !printer.pageRanges().contains(page)) continue;
        if (!first && !printer.newPage()) return false;
        first = false;
        pages.paint(painter, job.PrintPage(page));
    }
    return painter.end();
}

bool printToPdf(PrintJob& job, const QString& path, const PageValues& page) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setDocName(QString::fromStdString(job.title()));
    setUpPrinter(printer, page.orientation, page.paperSize);
    return printOn(job, printer);
}

namespace {

bool showPrintDialog(QPrinter& printer, int pageCount, QWidget* parent) {
    QPrintDialog dialog(&printer, parent);
    dialog.setMinMax(1, pageCount);
    return dialog.exec() == QDialog::Accepted;
}

QAction* actionNamed(QPrintPreviewDialog& dialog, const QString& text) {
    for (QAction* action : dialog.findChildren<QAction*>())
        if (action->text() == text) return action;
    return nullptr;
}

// The orientation and the paper come from Page Setup, so the preview's own
// switches for them would change nothing; its keys are the preview table's.
void fitPreviewWindow(QPrintPreviewDialog& dialog) {
    for (const char* text : {"Portrait", "Landscape", "Page setup"})
        if (QAction* action = actionNamed(dialog, QLatin1String(text))) action->setVisible(false);
    for (const res::Accelerator& key : res::previewAccelerators()) {
        const QKeySequence keys = keySequenceOf(key);
        if (key.command == cmd::PreviewClose) {
            QObject::connect(new QShortcut(keys, &dialog), &QShortcut::activated, &dialog, &QDialog::reject);
            continue;
        }
        const bool next = key.command == cmd::PreviewNextPage;
        if (QAction* action = actionNamed(dialog, next ? QStringLiteral("Next page") : QStringLiteral("Previous page")))
            action->setShortcut(keys);
    }
    if (QWidget* parent = dialog.parentWidget()) dialog.resize(parent->size());
}

}  // namespace

QtPrintFramework::QtPrintFramework(Platform& platform, std::function<QWidget*()> parent)
    : platform_(platform),
      parent_(std::move(parent)),
      choose_([this](QPrinter& printer, int pageCount) { return showPrintDialog(printer, pageCount, parent_()); }),
      showPreview_([](QPrintPreviewDialog& preview) { preview.exec(); }) {}

QtPrintFramework::~QtPrintFramework() = default;

PrintDevice* QtPrintFramework::startPrinter(const PageValues& page) {
    device_.reset();
    printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    // The PDF writer is a printer too: the one there is when the desktop has none.
    if (!printer_->isValid()) printer_->setOutputFormat(QPrinter::PdfFormat);
    if (!printer_->isValid()) return nullptr;
    setUpPrinter(*printer_, page.orientation, page.paperSize);
    device_ = std::make_unique<QtPrintDevice>(*printer_);
    return device_.get();
}

void QtPrintFramework::printWithNotice(PrintJob& job, QPrinter& printer) {
    bool printed = false;
    {
        BusyCursor busy(platform_.desktop);
        printed = printOn(job, printer);
    }
    if (!printed) platform_.prompter.ask({"Could not start print job.", "Tagloom - Print", Buttons::Ok, Icon::Error, 0});
}

void QtPrintFramework::print(PrintJob& job) {
    if (!printer_) return;
    printer_->setDocName(QString::fromStdString(job.title()));
    if (choose_(*printer_, job.pageCount())) printWithNotice(job, *printer_);
}

void QtPrintFramework::preview(PrintJob& job) {
    if (!printer_) return;
    printer_->setDocName(QString::fromStdString(job.title()));
    QPrintPreviewDialog dialog(printer_.get(), parent_());
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [this, &job](QPrinter* printer) { printWithNotice(job, *printer); });
    fitPreviewWindow(dialog);
    showPreview_(dialog);
}

}  // namespace tagloom

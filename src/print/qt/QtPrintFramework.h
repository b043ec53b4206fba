#pragma once
// Printing on Qt: QPrinter is the application's printer (the PDF writer when
// the desktop has no printer), QPrintDialog chooses the printer and the pages,
// QPrintPreviewDialog shows them; the job's Begin and page steps then run on
// the printer chosen.
#include <QPrinter>
#include <functional>
#include <memory>

#include "print/PrintFramework.h"
#include "print/qt/QtPrintDevice.h"

class QPrintPreviewDialog;
class QWidget;

namespace tagloom {

struct Platform;

// Begin, then every page in the printer's page range, then the end; false
// when the printer cannot start (a PDF file that cannot be written, say) or
// has no room for the text.
bool printOn(PrintJob& job, QPrinter& printer);
// The same on the PDF writer into the file at `path`, on the page setup's
// orientation and paper.
bool printToPdf(PrintJob& job, const QString& path, const PageValues& page);

class QtPrintFramework final : public PrintFramework {
public:
    // `parent` gives the window the dialogs belong to.
    QtPrintFramework(Platform& platform, std::function<QWidget*()> parent);
    ~QtPrintFramework() override;

    PrintDevice* startPrinter(const PageValues& page) override;
    void print(PrintJob& job) override;
    void preview(PrintJob& job) override;

    // Shows the Print dialog for pages 1 to `pageCount` on the printer; true to print.
    using ChoosePrinter = std::function<bool(QPrinter& printer, int pageCount)>;
    // Shows the preview window, which is modal.
    using ShowPreview = std::function<void(QPrintPreviewDialog& preview)>;
    // Tests choose and look without the modal windows.
    void setChoosePrinter(ChoosePrinter choose) { choose_ = std::move(choose); }
    void setShowPreview(ShowPreview show) { showPreview_ = std::move(show); }

private:
    // Runs the job on the printer with the busy cursor, and tells the user when it cannot.
    void printWithNotice(PrintJob& job, QPrinter& printer);

    Platform& platform_;
    std::function<QWidget*()> parent_;
    std::unique_ptr<QPrinter> printer_;
    std::unique_ptr<QtPrintDevice> device_;
    ChoosePrinter choose_;
    ShowPreview showPreview_;
};

}  // namespace tagloom

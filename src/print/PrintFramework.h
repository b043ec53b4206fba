#pragma once
// The printing framework the print commands run through: it supplies the
// printer printing starts with, shows the Print dialog or the preview, and
// then runs the job's Begin and page steps on the printer chosen. The Qt
// front end supplies QPrinter, QPrintDialog and QPrintPreviewDialog.
#include "platform/PrintDialogs.h"

namespace tagloom {

class PrintDevice;
class PrintJob;

class PrintFramework {
public:
    virtual ~PrintFramework() = default;
    // The application's printer, set to the page setup's orientation and
    // paper size; none when there is no printer at all. It lasts until the
    // next call.
    virtual PrintDevice* startPrinter(const PageValues& page) = 0;
    // Lets the user choose the printer and the pages (1 to the job's page
    // count) and prints them.
    virtual void print(PrintJob& job) = 0;
    // Shows the pages in the preview window.
    virtual void preview(PrintJob& job) = 0;
};

}  // namespace tagloom

#include "platform/qt/QtPlatform.h"

#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QIcon>
#include <QMessageBox>
#include <QMimeData>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QStandardPaths>

#include "platform/qt/PaperSizes.h"
#include "platform/qt/QtText.h"
#include "platform/qt/WindowTitle.h"

namespace tagloom {

// --- message boxes ---------------------------------------------------------

namespace {

struct ButtonSet {
    std::vector<std::pair<QMessageBox::StandardButton, Answer>> buttons;
};

ButtonSet buttonsOf(Buttons buttons) {
    using B = QMessageBox;
    switch (buttons) {
    case Buttons::Ok: return {{{B::Ok, Answer::Ok}}};
    case Buttons::OkCancel: return {{{B::Ok, Answer::Ok}, {B::Cancel, Answer::Cancel}}};
    case Buttons::YesNo: return {{{B::Yes, Answer::Yes}, {B::No, Answer::No}}};
    case Buttons::YesNoCancel:
        return {{{B::Yes, Answer::Yes}, {B::No, Answer::No}, {B::Cancel, Answer::Cancel}}};
    case Buttons::RetryCancel: return {{{B::Retry, Answer::Retry}, {B::Cancel, Answer::Cancel}}};
    }
    return {{{B::Ok, Answer::Ok}}};
}

QMessageBox::Icon iconOf(Icon icon) {
    switch (icon) {
    case Icon::None: return QMessageBox::NoIcon;
    case Icon::Information: return QMessageBox::Information;
    case Icon::Warning: return QMessageBox::Warning;
    case Icon::Error: return QMessageBox::Critical;
    case Icon::Question: return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

// The answer a box gives when it is closed without a button: Cancel or No
// where the box has one, else its only button.
Answer escapeAnswer(const ButtonSet& set) {
    for (const auto& [button, answer] : set.buttons)
        if (answer == Answer::Cancel) return answer;
    for (const auto& [button, answer] : set.buttons)
        if (answer == Answer::No) return answer;
    return set.buttons.front().second;
}

// A box sizes itself to its text; a row as wide as its title keeps a short
// text from cutting the title off.
void makeRoomForTitle(QMessageBox& box) {
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (!grid) return;
    const QMargins margins = grid->contentsMargins();
    const int width = titleBarWidth(box.windowTitle()) - margins.left() - margins.right();
    grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Fixed), grid->rowCount(), 0, 1,
                  grid->columnCount());
}

}  // namespace

Answer QtPrompter::ask(const Message& message) {
    const ButtonSet set = buttonsOf(message.buttons);
    // Texts with CR LF line breaks show them as single breaks.
    const QString text = toQString(message.text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QMessageBox box(iconOf(message.icon), toQString(message.title), text, QMessageBox::NoButton,
                    parent_ ? parent_() : nullptr);
    // The desktop's plain buttons: text only, whatever icons the style offers.
    for (const auto& [button, answer] : set.buttons) box.addButton(button)->setIcon(QIcon());
    const auto defaultIndex = static_cast<std::size_t>(std::max(0, message.defaultButton));
    if (defaultIndex < set.buttons.size()) box.setDefaultButton(set.buttons[defaultIndex].first);
    makeRoomForTitle(box);
    // A box asked during long work would show the busy cursor over its buttons.
    const bool busy = QApplication::overrideCursor() != nullptr;
    if (busy) QApplication::setOverrideCursor(Qt::ArrowCursor);
    box.exec();
    if (busy) QApplication::restoreOverrideCursor();
    const auto* clicked = box.clickedButton();
    for (const auto& [button, answer] : set.buttons)
        if (clicked && box.button(button) == clicked) return answer;
    return escapeAnswer(set);
}

// --- small desktop services ------------------------------------------------

void QtDesktop::beep() { QApplication::beep(); }

void QtDesktop::setBusy(bool busy) {
    if (busy) {
        if (busyDepth_++ == 0) QApplication::setOverrideCursor(Qt::WaitCursor);
    } else if (busyDepth_ > 0 && --busyDepth_ == 0) {
        QApplication::restoreOverrideCursor();
    }
}

namespace {

// Whether the user's trash in the data folder is there or can be made. Qt
// puts there the files of the home's disk and of disks without a trash of
// their own; where it cannot be made, Qt 6.4 takes the current folder for the
// trash, and the file would vanish into a "files" folder there.
bool homeTrashAvailable() {
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (data.isEmpty()) return false;
    const QFileInfo trash(data + QStringLiteral("/Trash"));
    if (trash.exists()) return trash.isDir();
    const QFileInfo folder(data);
    return folder.isDir() && folder.isWritable();
}

}  // namespace

bool QtDesktop::moveToTrash(const std::string& path) {
    return homeTrashAvailable() && QFile::moveToTrash(QFile::decodeName(path.c_str()));
}

namespace {

// The editor's own bytes beside the text: bytes that are not UTF-8 show as
// Windows-1252 characters, and would come back from the text as their UTF-8.
const QString kEditorBytes = QStringLiteral("application/x-tagloom-bytes");
// The encoding of the document the bytes came from: "utf-8" or "windows-1252".
const QString kEditorEncoding = QStringLiteral("application/x-tagloom-encoding");

}  // namespace

bool QtClipboard::setText(const std::string& text, TextEncoding encoding) {
    auto* clipboard = QGuiApplication::clipboard();
    if (!clipboard) return false;
    auto* data = new QMimeData;
    data->setText(QString::fromStdString(toDesktopLineEnds(toUtf8(text, encoding))));
    data->setData(kEditorBytes, QByteArray(text.data(), static_cast<qsizetype>(text.size())));
    data->setData(kEditorEncoding, encoding == TextEncoding::Utf8 ? "utf-8" : "windows-1252");
    clipboard->setMimeData(data);
    return true;
}

// The editor's own bytes go back as they came when the document is in their
// encoding; anything else comes from the desktop's text.
std::optional<std::string> QtClipboard::text(TextEncoding encoding) const {
    auto* clipboard = QGuiApplication::clipboard();
    const QMimeData* data = clipboard ? clipboard->mimeData() : nullptr;
    if (!data) return std::nullopt;
    const QByteArray wanted = encoding == TextEncoding::Utf8 ? "utf-8" : "windows-1252";
    if (data->hasFormat(kEditorBytes) && data->data(kEditorEncoding) == wanted)
        return data->data(kEditorBytes).toStdString();
    if (!data->hasText()) return std::nullopt;
    return fromUtf8(toEditorLineEnds(fromQString(data->text())), encoding);
}

bool QtClipboard::hasText() const {
    auto* clipboard = QGuiApplication::clipboard();
    const QMimeData* data = clipboard ? clipboard->mimeData() : nullptr;
    return data && (data->hasText() || data->hasFormat(kEditorBytes));
}

// --- printing dialogs ------------------------------------------------------

namespace {

void applyToPrinter(const PageValues& values, QPrinter& printer) {
    const auto& m = values.margins;
    const QPageLayout layout(QPageSize(pageSizeOf(values.paperSize)),
                             values.orientation == kOrientationLandscape ? QPageLayout::Landscape
                                                                         : QPageLayout::Portrait,
                             QMarginsF(m[0] / 1000.0, m[1] / 1000.0, m[2] / 1000.0, m[3] / 1000.0),
                             QPageLayout::Inch);
    printer.setPageLayout(layout);
}

int orientationOf(const QPrinter& printer) {
    return printer.pageLayout().orientation() == QPageLayout::Landscape ? kOrientationLandscape
                                                                        : kOrientationPortrait;
}

}  // namespace

bool QtPrintDialogs::hasPrinter() const { return true; }  // the PDF writer is always there

bool QtPrintDialogs::pageSetup(PageValues& values) {
    QPrinter printer(QPrinter::HighResolution);
    applyToPrinter(values, printer);
    QPageSetupDialog dialog(&printer, parent_ ? parent_() : nullptr);
    if (dialog.exec() != QDialog::Accepted) return false;
    const QPageLayout layout = printer.pageLayout();
    values.orientation = orientationOf(printer);
    values.paperSize = paperCodeOf(layout.pageSize().id(), values.paperSize);
    const QMarginsF margins = layout.margins(QPageLayout::Inch);
    values.margins = {static_cast<int>(std::lround(margins.left() * 1000)),
                      static_cast<int>(std::lround(margins.top() * 1000)),
                      static_cast<int>(std::lround(margins.right() * 1000)),
                      static_cast<int>(std::lround(margins.bottom() * 1000))};
    return true;
}

bool QtPrintDialogs::printSetup(PageValues& values) {
    QPrinter printer(QPrinter::HighResolution);
    applyToPrinter(values, printer);
    QPrintDialog dialog(&printer, parent_ ? parent_() : nullptr);
    dialog.setWindowTitle(QObject::tr("Print Setup"));
    QAbstractPrintDialog::PrintDialogOptions options = QAbstractPrintDialog::PrintShowPageSize;
    // Without a printer the PDF writer is the one to set up.
    if (QPrinterInfo::availablePrinterNames().isEmpty()) options |= QAbstractPrintDialog::PrintToFile;
    dialog.setOptions(options);
    // The setup only chooses the printer and its settings: its button
    // confirms them, it prints nothing.
    if (auto* buttons = dialog.findChild<QDialogButtonBox*>(QString(), Qt::FindDirectChildrenOnly))
        if (QPushButton* confirm = buttons->button(QDialogButtonBox::Ok)) confirm->setText(QObject::tr("OK"));
    if (dialog.exec() != QDialog::Accepted) return false;
    values.orientation = orientationOf(printer);
    return true;
}

// --- the queue and the bundle ----------------------------------------------

void QtUiQueue::post(std::function<void()> call) {
    if (!context_) return;
    QMetaObject::invokeMethod(context_, [call = std::move(call)] { call(); }, Qt::QueuedConnection);
}

QtPlatform::QtPlatform(QObject* context, std::function<QWidget*()> parent, std::unique_ptr<SettingsStore> settings)
    : prompter_(parent),
      fileDialogs_(parent),
      printDialogs_(parent),
      uiQueue_(context),
      settings_(std::move(settings)),
      textDialogs_(parent),
      platform_{prompter_,     desktop_, clipboard_, launcher_, fileDialogs_,
                printDialogs_, clock_,   uiQueue_,   *settings_, textDialogs_} {}

}  // namespace tagloom

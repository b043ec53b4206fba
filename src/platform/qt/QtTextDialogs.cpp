#include "platform/qt/QtTextDialogs.h"

#include <algorithm>

#include <QApplication>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QTextBlock>
#include <QVBoxLayout>

#include "platform/qt/QtText.h"
#include "platform/qt/WindowTitle.h"

namespace tagloom {

namespace {

// A dialog's size given in dialog units (a quarter of the average character
// width across, an eighth of the line height down), wider where its title
// needs it.
QSize dialogSize(const QWidget& dialog, int width, int height) {
    const QFontMetrics metrics(dialog.font());
    return {std::max(width * metrics.averageCharWidth() / 4, titleBarWidth(dialog.windowTitle())),
            height * metrics.height() / 8};
}

// A box opened during long work would show the busy cursor over its buttons.
int execWithArrow(QDialog& dialog) {
    const bool busy = QApplication::overrideCursor() != nullptr;
    if (busy) QApplication::setOverrideCursor(Qt::ArrowCursor);
    const int result = dialog.exec();
    if (busy) QApplication::restoreOverrideCursor();
    return result;
}

}  // namespace

CEnterValueDlg::CEnterValueDlg(const ValueEntry& entry, QWidget* parent) : QDialog(parent), edit_(new QLineEdit(this)) {
    setWindowTitle(toQString(entry.title));
    edit_->setText(toQString(entry.value));
    edit_->selectAll();
    if (entry.digitsOnly)
        edit_->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), edit_));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    for (QAbstractButton* button : buttons->buttons()) button->setIcon(QIcon());
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(edit_);
    layout->addWidget(buttons);
    resize(dialogSize(*this, 169, 52).expandedTo(sizeHint()));
}

std::string CEnterValueDlg::value() const { return fromQString(edit_->text()); }

CTextViewDlg::CTextViewDlg(TextView kind, const std::string& title, const std::string& text, QWidget* parent)
    : QDialog(parent), box_(new QPlainTextEdit(this)) {
    setWindowTitle(toQString(title));
    box_->setReadOnly(true);
    box_->setPlainText(toQString(text));
    box_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    if (kind == TextView::HexDump) {
        box_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
        box_->setLineWrapMode(QPlainTextEdit::NoWrap);
    }
    // Tab stops every eight average characters, so the columns of a table line up.
    box_->setTabStopDistance(8 * QFontMetricsF(box_->font()).averageCharWidth());
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* close = buttons->addButton(tr("Close"), QDialogButtonBox::AcceptRole);
    close->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(box_);
    layout->addWidget(buttons);
    resize(kind == TextView::HexDump ? dialogSize(*this, 254, 216) : dialogSize(*this, 302, 194));
    if (kind == TextView::HexDump) {
        // Wide enough for a whole row of the dump when the screen allows it.
        const QFontMetrics metrics(box_->font());
        const int rowWidth = metrics.horizontalAdvance(box_->document()->firstBlock().text()) + 60;
        if (rowWidth > width()) resize(rowWidth, height());
    }
    close->setFocus();
}

std::optional<std::string> QtTextDialogs::enterValue(const ValueEntry& entry) {
    CEnterValueDlg dialog(entry, parent_ ? parent_() : nullptr);
    if (execWithArrow(dialog) != QDialog::Accepted) return std::nullopt;
    return dialog.value();
}

void QtTextDialogs::showText(TextView kind, const std::string& title, const std::string& text) {
    CTextViewDlg dialog(kind, title, text, parent_ ? parent_() : nullptr);
    execWithArrow(dialog);
}

}  // namespace tagloom

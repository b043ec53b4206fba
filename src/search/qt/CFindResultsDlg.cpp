#include "search/qt/CFindResultsDlg.h"

#include <QDialogButtonBox>
#include <QFontMetrics>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>
#include <QVBoxLayout>

#include "platform/qt/QtText.h"

namespace tagloom {

CFindResultsDlg::CFindResultsDlg(const std::string& title, const std::string& text, std::function<void(int)> goTo,
                                 QWidget* parent)
    : QDialog(parent), text_(text), box_(new QPlainTextEdit(this)), goTo_(std::move(goTo)) {
    setWindowTitle(toQString(title));
    box_->setReadOnly(true);
    box_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    box_->setLineWrapMode(QPlainTextEdit::NoWrap);
    box_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    box_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    box_->setPlainText(toQString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* goToButton = buttons->addButton(QStringLiteral("Go To"), QDialogButtonBox::ActionRole);
    QPushButton* close = buttons->addButton(QStringLiteral("Close"), QDialogButtonBox::RejectRole);
    goToButton->setDefault(true);
    close->setAutoDefault(false);
    connect(goToButton, &QPushButton::clicked, this, &CFindResultsDlg::GoTo);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(box_);
    layout->addWidget(new QLabel(QStringLiteral("Select an offset number and press  [ Go To ]  to open the file."), this));
    layout->addWidget(buttons);
    const QFontMetrics metrics(font());
    resize(metrics.averageCharWidth() * 90, metrics.height() * 24);
}

// The box shows each CR LF of the text as one line break: every break before
// the place stands for a CR that the box leaves out. The place is then found
// in the text's own bytes, so names that are not UTF-8 count as they are.
void CFindResultsDlg::GoTo() {
    const int place = box_->textCursor().selectionStart();
    const QString shown = box_->toPlainText().left(place);
    const std::size_t at = byteOffsetOf(text_, place + shown.count(QLatin1Char('\n')));
    goTo_(static_cast<int>(at));
}

}  // namespace tagloom

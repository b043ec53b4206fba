#include "search/qt/CFindInFilesDlg.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>

#include "platform/Platform.h"
#include "platform/qt/QtText.h"

namespace tagloom {

namespace {

constexpr const char* kTitle = "Tagloom - Find in Files";

}  // namespace

CFindInFilesDlg::CFindInFilesDlg(const FindInFilesForm& form, Platform& platform, QWidget* parent)
    : QDialog(parent),
      platform_(platform),
      matchCase_(new QCheckBox(QStringLiteral("Match Case"), this)),
      wholeWord_(new QCheckBox(QStringLiteral("Match Whole Word"), this)),
      fileSpec_(new QLineEdit(toQString(form.fileSpec), this)),
      findText_(new QLineEdit(toQString(form.findText), this)),
      folder_(new QLineEdit(toQString(form.folder), this)),
      depth_(new QLineEdit(QString::number(form.depth), this)) {
    setWindowTitle(QString::fromLatin1(kTitle));
    matchCase_->setChecked(form.matchCase);
    wholeWord_->setChecked(form.wholeWord);
    folder_->setReadOnly(true);
    depth_->setAlignment(Qt::AlignCenter);
    depth_->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), depth_));
    depth_->setMaximumWidth(fontMetrics().averageCharWidth() * 8);
    findText_->setMinimumWidth(fontMetrics().averageCharWidth() * 40);

    auto* browseButton = new QPushButton(QStringLiteral("<"), this);
    browseButton->setAutoDefault(false);
    browseButton->setMaximumWidth(fontMetrics().averageCharWidth() * 5);
    connect(browseButton, &QPushButton::clicked, this, &CFindInFilesDlg::browse);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* find = buttons->addButton(QStringLiteral("Find"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    find->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &CFindInFilesDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("Find What:"), this), 0, 0);
    grid->addWidget(findText_, 0, 1, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("File Spec:"), this), 1, 0);
    grid->addWidget(fileSpec_, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("Wild Cards OK  Example:  *.htm?"), this), 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("In Folder:"), this), 2, 0);
    grid->addWidget(folder_, 2, 1, 1, 2);
    grid->addWidget(browseButton, 2, 3);
    grid->addWidget(matchCase_, 3, 1);
    grid->addWidget(wholeWord_, 4, 1);
    auto* depthRow = new QHBoxLayout;
    depthRow->addWidget(depth_);
    depthRow->addWidget(new QLabel(QStringLiteral("Sub Folder Depth"), this));
    depthRow->addStretch();
    grid->addLayout(depthRow, 3, 2, 2, 1);
    grid->addWidget(buttons, 5, 0, 1, 4);
    findText_->setFocus();
    findText_->selectAll();
}

FindInFilesForm CFindInFilesDlg::form() const {
    FindInFilesForm form;
    form.matchCase = matchCase_->isChecked();
    form.wholeWord = wholeWord_->isChecked();
    form.fileSpec = fromQString(fileSpec_->text());
    form.findText = fromQString(findText_->text());
    form.folder = fromQString(folder_->text());
    form.depth = depth_->text().toInt();
    return form;
}

void CFindInFilesDlg::accept() {
    bool isInteger = false;
    depth_->text().toInt(&isInteger);
    if (!isInteger) {
        platform_.prompter.ask({"Please enter an integer.", kTitle, Buttons::Ok, Icon::Warning, 0});
        depth_->setFocus();
        return;
    }
    QDialog::accept();
}

void CFindInFilesDlg::browse() {
    const std::optional<std::string> chosen =
        platform_.fileDialogs.chooseFolder("Tagloom - Select Folder", fromQString(folder_->text()));
    if (!chosen || chosen->empty()) return;
    folder_->setText(toQString(chosen->back() == '/' ? *chosen : *chosen + '/'));
}

}  // namespace tagloom

#include "settings/qt/CSettingsDlg.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include "platform/FilePaths.h"
#include "platform/Platform.h"
#include "platform/qt/QtText.h"

namespace tagloom {

namespace {

constexpr const char* kProgramTitles[3] = {"Internet Browser", "File Differencing", "Graphics Viewer"};
constexpr const char* kBrowseTitles[3] = {"Select Internet Browser Program", "Select File Differencing Peogram",
                                          "Select Graphics Viewer Program"};

// The character-set choices as writing systems: ANSI, all, symbol, OEM.
constexpr QFontDatabase::WritingSystem kWritingSystems[4] = {QFontDatabase::Latin, QFontDatabase::Any,
                                                             QFontDatabase::Symbol, QFontDatabase::Other};

QCheckBox* checkBox(const char* caption, bool checked, QWidget* parent) {
    auto* box = new QCheckBox(QString::fromLatin1(caption), parent);
    box->setChecked(checked);
    return box;
}

QButtonGroup* radioGroup(std::initializer_list<const char*> captions, int checked, QGroupBox* box) {
    auto* group = new QButtonGroup(box);
    auto* layout = new QVBoxLayout(box);
    int id = 0;
    for (const char* caption : captions) {
        auto* button = new QRadioButton(QString::fromLatin1(caption), box);
        group->addButton(button, id);
        button->setChecked(id++ == checked);
        layout->addWidget(button);
    }
    return group;
}

template <std::size_t N>
QComboBox* sizeList(const std::array<int, N>& sizes, int selected, QWidget* parent) {
    auto* list = new QComboBox(parent);
    for (const int size : sizes) list->addItem(QString::number(size));
    list->setCurrentIndex(list->findText(QString::number(selected)));
    return list;
}

QLineEdit* lineEdit(const std::string& text, QWidget* parent) { return new QLineEdit(toQString(text), parent); }

// Qt lists a family that several foundries make as "Family [foundry]", once
// for each; the family's own name stands for all of them and chooses the font.
QString familyName(const QString& listed) {
    const qsizetype bracket = listed.lastIndexOf(QLatin1String(" ["));
    return bracket > 0 && listed.endsWith(QLatin1Char(']')) ? listed.left(bracket) : listed;
}

}  // namespace

CSettingsDlg::CSettingsDlg(const SettingsForm& form, Platform& platform, QWidget* parent)
    : QDialog(parent), platform_(platform), initial_(form) {
    setWindowTitle(QStringLiteral("Tagloom - Settings"));

    auto* fontGroup = new QGroupBox(QStringLiteral("Font"), this);
    faceBox_ = new QComboBox(fontGroup);
    faceBox_->setEditable(true);
    faceBox_->setInsertPolicy(QComboBox::NoInsert);
    fontSize_ = sizeList(kFontPointSizes, form.fontPointSize, fontGroup);
    faceCount_ = new QLabel(fontGroup);
    auto* pitchBox = new QGroupBox(QStringLiteral("Pitch"), fontGroup);
    pitch_ = radioGroup({"Fixed", "Variable"}, form.pitch, pitchBox);
    auto* charSetBox = new QGroupBox(QStringLiteral("Character Set"), fontGroup);
    charSet_ = radioGroup({"ANSI", "All", "Symbol", "OEM"}, form.charSet, charSetBox);
    sample_ = new QPlainTextEdit(fontGroup);
    sample_->setReadOnly(true);
    sample_->setLineWrapMode(QPlainTextEdit::NoWrap);
    auto* fontLayout = new QGridLayout(fontGroup);
    fontLayout->addWidget(new QLabel(QStringLiteral("Face Name"), fontGroup), 0, 0);
    fontLayout->addWidget(faceBox_, 1, 0, 1, 2);
    fontLayout->addWidget(faceCount_, 0, 1);
    fontLayout->addWidget(new QLabel(QStringLiteral("Point Size"), fontGroup), 0, 2);
    fontLayout->addWidget(fontSize_, 1, 2);
    fontLayout->addWidget(pitchBox, 2, 0);
    fontLayout->addWidget(charSetBox, 2, 1);
    fontLayout->addWidget(sample_, 2, 2, 1, 1);

    auto* printerGroup = new QGroupBox(QStringLiteral("Printer"), this);
    printerSize_ = sizeList(kPrinterPointSizes, form.printerPointSize, printerGroup);
    footer_ = checkBox("Page #", form.printerFooter, printerGroup);
    header_ = checkBox("File Name", form.printerHeader, printerGroup);
    printerLineNumbers_ = checkBox("Line Num", form.printerLineNumbers, printerGroup);
    auto* printerLayout = new QGridLayout(printerGroup);
    printerLayout->addWidget(new QLabel(QStringLiteral("Point Size"), printerGroup), 0, 0);
    printerLayout->addWidget(printerSize_, 1, 0);
    printerLayout->addWidget(footer_, 0, 1);
    printerLayout->addWidget(header_, 1, 1);
    printerLayout->addWidget(printerLineNumbers_, 2, 1);

    auto* displayGroup = new QGroupBox(QStringLiteral("Display"), this);
    lineNumbers_ = checkBox("Line Numbers", form.lineNumbers, displayGroup);
    readOnly_ = checkBox("Read Only", form.readOnly, displayGroup);
    wordWrap_ = checkBox("Word Wrap", form.wordWrap, displayGroup);
    scrollCenter_ = checkBox("Scroll to Center", form.scrollCenter, displayGroup);
    markText_ = checkBox("Mark Text", form.markText, displayGroup);
    markText_->setEnabled(form.markTextPresent);
    tabWidth_ = new QComboBox(displayGroup);
    for (const char* width : kTabWidthChoices) tabWidth_->addItem(QString::fromLatin1(width));
    tabWidth_->setCurrentIndex(tabWidth_->findText(toQString(form.tabWidth)));
    auto* displayLayout = new QGridLayout(displayGroup);
    displayLayout->addWidget(lineNumbers_, 0, 0);
    displayLayout->addWidget(wordWrap_, 1, 0);
    displayLayout->addWidget(scrollCenter_, 2, 0);
    displayLayout->addWidget(readOnly_, 0, 1);
    displayLayout->addWidget(markText_, 1, 1);
    displayLayout->addWidget(tabWidth_, 2, 1);
    displayLayout->addWidget(new QLabel(QStringLiteral("Tab Width\nin Characters"), displayGroup), 2, 2);

    auto* requirementsGroup = new QGroupBox(QStringLiteral("Requirements"), this);
    confirm_ = checkBox("Confirm Unrecoverable", form.confirm, requirementsGroup);
    unixFile_ = checkBox("Save as UNIX text file", form.unixFile, requirementsGroup);
    deleteTemp_ = checkBox("Del Temp Files ASAP", form.deleteTempFiles, requirementsGroup);
    restoreState_ = checkBox("Restore State", form.restoreState, requirementsGroup);
    htmlToolsAnyText_ = checkBox("Use the HTML tools on any text", form.htmlToolsAnyText, requirementsGroup);
    mru_ = new QLineEdit(QString::number(form.mruCount), requirementsGroup);
    mru_->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), mru_));
    mru_->setMaximumWidth(fontMetrics().averageCharWidth() * 6);
    auto* requirementsLayout = new QGridLayout(requirementsGroup);
    requirementsLayout->addWidget(confirm_, 0, 0);
    requirementsLayout->addWidget(unixFile_, 1, 0);
    requirementsLayout->addWidget(deleteTemp_, 0, 1);
    requirementsLayout->addWidget(restoreState_, 1, 1);
    requirementsLayout->addWidget(mru_, 0, 2);
    requirementsLayout->addWidget(new QLabel(QStringLiteral("MRU\nFiles"), requirementsGroup), 0, 3);
    requirementsLayout->addWidget(htmlToolsAnyText_, 2, 0, 1, 2);

    auto* typingGroup = new QGroupBox(QStringLiteral("Editing"), this);
    autoCloseTag_ = checkBox("Complete closing tags", form.autoCloseTag, typingGroup);
    autoIndent_ = checkBox("Keep indentation on Enter", form.autoIndent, typingGroup);
    auto* typingLayout = new QGridLayout(typingGroup);
    typingLayout->addWidget(autoCloseTag_, 0, 0);
    typingLayout->addWidget(autoIndent_, 1, 0);
    syntaxColor_ = checkBox("Syntax Colouring", form.syntaxColor, typingGroup);
    printColor_ = checkBox("Print in colour", form.printColor, typingGroup);
    typingLayout->addWidget(syntaxColor_, 0, 1);
    typingLayout->addWidget(printColor_, 1, 1);

    auto* helpersGroup = new QGroupBox(QStringLiteral("Helper Programs"), this);
    auto* helpersLayout = new QGridLayout(helpersGroup);
    const std::string* paths[3] = {&form.browserPath, &form.diffPath, &form.graphicsPath};
    for (int program = 0; program < 3; ++program) {
        programLabels_[program] = new QLabel(helpersGroup);
        paths_[program] = lineEdit(*paths[program], helpersGroup);
        auto* browseButton = new QPushButton(QStringLiteral("<"), helpersGroup);
        browseButton->setAutoDefault(false);
        browseButton->setMaximumWidth(fontMetrics().averageCharWidth() * 5);
        connect(browseButton, &QPushButton::clicked, this, [this, program] { browse(program); });
        helpersLayout->addWidget(programLabels_[program], 2 * program, 0, 1, 2);
        helpersLayout->addWidget(paths_[program], 2 * program + 1, 0);
        helpersLayout->addWidget(browseButton, 2 * program + 1, 1);
    }

    auto* webGroup = new QGroupBox(QStringLiteral("Web Sites"), this);
    htmlHelp_ = lineEdit(form.htmlHelpUrl, webGroup);
    cssHelp_ = lineEdit(form.cssHelpUrl, webGroup);
    phpHelp_ = lineEdit(form.phpHelpUrl, webGroup);
    auto* webLayout = new QGridLayout(webGroup);
    webLayout->addWidget(new QLabel(QStringLiteral("Web HTML Help"), webGroup), 0, 0);
    webLayout->addWidget(htmlHelp_, 0, 1);
    webLayout->addWidget(new QLabel(QStringLiteral("Web CSS Help"), webGroup), 1, 0);
    webLayout->addWidget(cssHelp_, 1, 1);
    webLayout->addWidget(new QLabel(QStringLiteral("Web PHP Help"), webGroup), 2, 0);
    webLayout->addWidget(phpHelp_, 2, 1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    for (QAbstractButton* button : buttons->buttons()) button->setIcon(QIcon());
    connect(buttons, &QDialogButtonBox::accepted, this, &CSettingsDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QGridLayout(this);
    layout->addWidget(fontGroup, 0, 0, 1, 2);
    layout->addWidget(printerGroup, 1, 0);
    layout->addWidget(displayGroup, 1, 1);
    layout->addWidget(requirementsGroup, 2, 0);
    layout->addWidget(typingGroup, 2, 1);
    layout->addWidget(helpersGroup, 3, 0);
    layout->addWidget(webGroup, 3, 1);
    layout->addWidget(buttons, 4, 0, 1, 2);

    connect(pitch_, &QButtonGroup::idClicked, this, &CSettingsDlg::fillFaceList);
    connect(charSet_, &QButtonGroup::idClicked, this, &CSettingsDlg::fillFaceList);
    connect(faceBox_, &QComboBox::activated, this, [this](int index) {
        faceBox_->setEditText(faceBox_->itemText(index));
        showSample();
    });
    fillFaceList();
    faceBox_->setEditText(toQString(form.faceName));
    showSample();
    updateProgramLabels();
    for (QLineEdit* path : paths_) connect(path, &QLineEdit::textChanged, this, &CSettingsDlg::updateProgramLabels);
    move(form.x, form.y);
}

void CSettingsDlg::fillFaceList() {
    const QString current = faceBox_->currentText();
    const bool variable = pitch_->checkedId() == 1;
    const QFontDatabase::WritingSystem system = kWritingSystems[std::clamp(charSet_->checkedId(), 0, 3)];
    faceBox_->clear();
    int count = 0;
    for (const QString& listed : QFontDatabase::families(system)) {
        if (QFontDatabase::isFixedPitch(listed) == variable) continue;
        const QString family = familyName(listed);
        if (faceBox_->findText(family, Qt::MatchStartsWith) >= 0) continue;
        faceBox_->addItem(family);
        ++count;
    }
    faceCount_->setText(QStringLiteral("%1 fonts").arg(count));
    faceBox_->setEditText(current);
}

void CSettingsDlg::showSample() {
    sample_->setFont(QFont(faceBox_->currentText(), 12));
    sample_->setPlainText(QString::fromLatin1(kFontSampleText).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
}

void CSettingsDlg::updateProgramLabels() {
    for (int program = 0; program < 3; ++program)
        programLabels_[program]->setText(
            toQString(programLabel(kProgramTitles[program], fromQString(paths_[program]->text()))));
}

void CSettingsDlg::browse(int program) {
    const std::string path = fromQString(paths_[program]->text());
    FileDialogRequest request;
    request.title = kBrowseTitles[program];
    request.folder = folderOf(path).empty() ? "./" : folderOf(path);
    request.fileName = fileNameOf(path);
    request.filters = parseFilterList("Programs ( * )|*||");
    const std::optional<FileDialogResult> chosen = platform_.fileDialogs.openFile(request);
    if (chosen) paths_[program]->setText(toQString(chosen->path));
}

SettingsForm CSettingsDlg::form() const {
    SettingsForm form = initial_;
    form.lineNumbers = lineNumbers_->isChecked();
    form.readOnly = readOnly_->isChecked();
    form.wordWrap = wordWrap_->isChecked();
    form.scrollCenter = scrollCenter_->isChecked();
    form.confirm = confirm_->isChecked();
    form.tabWidth = fromQString(tabWidth_->currentText());
    form.markText = markText_->isChecked();
    form.pitch = pitch_->checkedId();
    form.charSet = charSet_->checkedId();
    form.unixFile = unixFile_->isChecked();
    form.printerFooter = footer_->isChecked();
    form.printerHeader = header_->isChecked();
    form.printerLineNumbers = printerLineNumbers_->isChecked();
    form.browserPath = fromQString(paths_[0]->text());
    form.diffPath = fromQString(paths_[1]->text());
    form.graphicsPath = fromQString(paths_[2]->text());
    form.mruCount = mru_->text().toInt();
    form.htmlHelpUrl = fromQString(htmlHelp_->text());
    form.cssHelpUrl = fromQString(cssHelp_->text());
    form.phpHelpUrl = fromQString(phpHelp_->text());
    form.deleteTempFiles = deleteTemp_->isChecked();
    form.restoreState = restoreState_->isChecked();
    form.htmlToolsAnyText = htmlToolsAnyText_->isChecked();
    form.autoCloseTag = autoCloseTag_->isChecked();
    form.autoIndent = autoIndent_->isChecked();
    form.syntaxColor = syntaxColor_->isChecked();
    form.printColor = printColor_->isChecked();
    // A size the list does not hold (a zoomed font) shows no selection and is kept.
    if (fontSize_->currentIndex() >= 0) form.fontPointSize = fontSize_->currentText().toInt();
    if (printerSize_->currentIndex() >= 0) form.printerPointSize = printerSize_->currentText().toInt();
    form.faceName = fromQString(faceBox_->currentText());
    form.x = pos().x();
    form.y = pos().y();
    return form;
}

void CSettingsDlg::accept() {
    if (mru_->text().isEmpty()) {
        platform_.prompter.ask({"Please enter an integer.", "Tagloom - Settings", Buttons::Ok, Icon::Warning, 0});
        mru_->setFocus();
        return;
    }
    QDialog::accept();
}

bool QtSettingsWindow::edit(SettingsForm& form) {
    CSettingsDlg dialog(form, platform_, owner_);
    const bool accepted = dialog.exec() == QDialog::Accepted;
    const SettingsForm entered = dialog.form();
    if (accepted) form = entered;
    form.x = entered.x;
    form.y = entered.y;
    return accepted;
}

}  // namespace tagloom

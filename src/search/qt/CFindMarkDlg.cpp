#include "search/qt/CFindMarkDlg.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "platform/Platform.h"
#include "platform/qt/QtText.h"
#include "search/FindEngine.h"
#include "search/FindHistory.h"
#include "settings/EditorSettings.h"

namespace tagloom {

namespace {

constexpr int kClearFind = 1011;
constexpr int kClearReplace = 1016;
constexpr int kCancel = 1013;

// An editable box over the history. It never completes what is typed: a
// completer would turn "Gean" into the history's "Geany" and, ignoring
// case, "geany" into "Geany" when the box loses the focus. Without one, the
// box takes an entry of the list only when the typed text is exactly it.
QComboBox* historyCombo(const std::vector<std::string>& history, QWidget* parent) {
    auto* combo = new QComboBox(parent);
    combo->setEditable(true);
    combo->setCompleter(nullptr);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setMinimumContentsLength(28);
    combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    for (const auto& entry : history) combo->addItem(QString::fromStdString(entry));
    return combo;
}

std::string textOf(const QComboBox* combo) { return fromQString(combo->currentText()); }

}  // namespace

CFindMarkDlg::CFindMarkDlg(FindEngine& engine, EditorSettings& settings, Platform& platform, bool markMode,
                           const std::string& findText, QWidget* parent)
    : QDialog(parent), engine_(engine), settings_(settings), platform_(platform), bMarkMode(markMode) {
    setModal(false);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(markMode ? QStringLiteral("Tagloom - Find and Mark") : QStringLiteral("Tagloom - Replace"));
    buildControls();

    matchCase_->setChecked(settings_.bMatchCase != 0);
    wholeWord_->setChecked(settings_.bWholeWord != 0);
    scrollCenter_->setChecked(settings_.bScrollCenter != 0);
    (settings_.bFindDirection ? down_ : up_)->setChecked(true);
    button(kClearFind)->setEnabled(!settings_.findStrs.empty());
    findCombo_->setEditText(QString::fromStdString(findText));
    button(kClearReplace)->setEnabled(!settings_.replaceStrs.empty());
    replaceCombo_->setEditText(settings_.replaceStrs.empty() ? QString()
                                                             : QString::fromStdString(settings_.replaceStrs.front()));
    // In Find and Mark mode the replace row goes, and everything below it
    // moves up one row: Mark All stands where Replace stood.
    for (QWidget* w : replaceRow_) w->setVisible(!markMode);
    escNote_->setVisible(markMode);
    findCombo_->setFocus();
    findCombo_->lineEdit()->selectAll();
}

void CFindMarkDlg::buildControls() {
    auto* grid = new QGridLayout(this);
    const auto addButton = [this](int id, const QString& caption) {
        auto* b = new QPushButton(caption, this);
        b->setAutoDefault(false);
        b->setDefault(false);
        buttons_.emplace_back(id, b);
        return b;
    };

    findCombo_ = historyCombo(settings_.findStrs, this);
    auto* findLabel = new QLabel(QStringLiteral("Find What:"), this);
    findLabel->setBuddy(findCombo_);
    grid->addWidget(findLabel, 0, 0);
    grid->addWidget(findCombo_, 0, 1, 1, 3);
    grid->addWidget(addButton(kClearFind, QStringLiteral("X")), 0, 4);
    grid->addWidget(addButton(FindRequest::kFindNext, QStringLiteral("Find  Next")), 0, 5);

    replaceCombo_ = historyCombo(settings_.replaceStrs, this);
    auto* replaceLabel = new QLabel(QStringLiteral("Replace With"), this);
    replaceLabel->setBuddy(replaceCombo_);
    QPushButton* clearReplace = addButton(kClearReplace, QStringLiteral("X"));
    QPushButton* replace = addButton(FindRequest::kReplace, QStringLiteral("Replace"));
    grid->addWidget(replaceLabel, 1, 0);
    grid->addWidget(replaceCombo_, 1, 1, 1, 3);
    grid->addWidget(clearReplace, 1, 4);
    grid->addWidget(replace, 1, 5);
    replaceRow_ = {replaceLabel, replaceCombo_, clearReplace, replace};

    auto* options = new QVBoxLayout;
    wholeWord_ = new QCheckBox(QStringLiteral("Match Whole Word"), this);
    matchCase_ = new QCheckBox(QStringLiteral("Match Case"), this);
    scrollCenter_ = new QCheckBox(QStringLiteral("Scroll to Center"), this);
    options->addWidget(wholeWord_);
    options->addWidget(matchCase_);
    options->addWidget(scrollCenter_);
    grid->addLayout(options, 2, 0, 2, 2);

    auto* direction = new QGroupBox(QStringLiteral("Direction"), this);
    auto* directionLayout = new QVBoxLayout(direction);
    up_ = new QRadioButton(QStringLiteral("Up"), direction);
    down_ = new QRadioButton(QStringLiteral("Down"), direction);
    directionLayout->addWidget(up_);
    directionLayout->addWidget(down_);
    grid->addWidget(direction, 2, 2, 2, 1);

    escNote_ = new QLabel(QStringLiteral("[esc]  removes  yellow hilighting from marked text."), this);
    escNote_->setWordWrap(true);
    grid->addWidget(escNote_, 2, 3, 2, 1);

    grid->addWidget(addButton(FindRequest::kMarkAllOrReplaceAll, bMarkMode ? QStringLiteral("Mark All")
                                                                            : QStringLiteral("Replace All")),
                    2, 5);
    grid->addWidget(addButton(kCancel, QStringLiteral("Cancel")), 3, 5);
    grid->setSizeConstraint(QLayout::SetFixedSize);

    for (const auto& [id, button] : buttons_) {
        QPushButton* b = button;  // a plain variable, so the lambdas below can capture it
        if (id == kClearFind || id == kClearReplace) b->setFixedWidth(b->fontMetrics().horizontalAdvance(b->text()) + 16);
        switch (id) {
        case kClearFind:
            connect(b, &QPushButton::clicked, this,
                    [this, b] { clearHistory(findCombo_, settings_.findStrs, b, true); });
            break;
        case kClearReplace:
            connect(b, &QPushButton::clicked, this,
                    [this, b] { clearHistory(replaceCombo_, settings_.replaceStrs, b, false); });
            break;
        case kCancel: connect(b, &QPushButton::clicked, this, &QDialog::close); break;
        default: connect(b, &QPushButton::clicked, this, [this, id = id] { press(id); });
        }
    }
}

QPushButton* CFindMarkDlg::button(int id) const {
    for (const auto& [buttonId, b] : buttons_)
        if (buttonId == id) return b;
    return nullptr;
}

void CFindMarkDlg::press(int id) {
    FindRequest request;
    request.findText = textOf(findCombo_);
    request.replaceText = textOf(replaceCombo_);
    request.bMatchCase = matchCase_->isChecked() ? 1 : 0;
    request.bWholeWord = wholeWord_->isChecked() ? 1 : 0;
    request.bScrollCenter = scrollCenter_->isChecked() ? 1 : 0;
    request.bFindDirection = down_->isChecked() ? 1 : 0;
    request.button = id;
    request.bMarkMode = bMarkMode ? 1 : 0;
    if (request.findText.empty()) {
        platform_.desktop.beep();
        return;
    }
    engine_.request(request);

    // The combo's list keeps an entry the history has dropped until the dialog closes.
    const auto remember = [](QComboBox* combo, std::vector<std::string>& history) {
        const QString text = combo->currentText();
        if (!addToHistory(history, fromQString(text))) return;
        combo->insertItem(0, text);
        combo->setEditText(text);
    };
    remember(findCombo_, settings_.findStrs);
    if (!bMarkMode) remember(replaceCombo_, settings_.replaceStrs);
    button(kClearFind)->setEnabled(true);
}

void CFindMarkDlg::clearHistory(QComboBox* combo, std::vector<std::string>& history, QPushButton* clear, bool find) {
    if (combo->count() == 0) return;
    const Message question = find ? Message{"Delete all previous Find strings ?", "Find and Mark", Buttons::YesNoCancel,
                                            Icon::Question, 1}
                                  : Message{"Delete all previous Replace strings ?", "Find and Replace",
                                            Buttons::YesNoCancel, Icon::Question, 1};
    if (platform_.prompter.ask(question) != Answer::Yes) return;
    const QString kept = combo->currentText();
    combo->clear();
    history.clear();
    combo->setEditText(kept);
    clear->setEnabled(false);
}

void CFindMarkDlg::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape: event->accept(); return;
    default: QDialog::keyPressEvent(event);
    }
}

void CFindMarkDlg::closeEvent(QCloseEvent* event) {
    if (closeListener_) closeListener_(frameGeometry().topLeft());
    QDialog::closeEvent(event);
}

}  // namespace tagloom

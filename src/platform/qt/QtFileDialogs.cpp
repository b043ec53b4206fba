#include "platform/qt/QtFileDialogs.h"

#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QGridLayout>
#include <QLineEdit>
#include <QListView>

#include "platform/qt/QtText.h"

namespace tagloom {

namespace {

// Qt reads the patterns from the last parenthesised group; our filter names
// carry their own description, which is all the dialog shows of them.
QString qtFilter(const FileFilter& filter) {
    QStringList patterns;
    for (const auto& pattern : filter.patterns) patterns << toQString(pattern);
    return toQString(filter.name) + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
}

// The 1-based index of the filter chosen in the dialog. With the patterns
// hidden, some Qt versions (6.4 among them) report the chosen filter as the
// name shown rather than the filter given, so both are looked for.
int chosenFilterIndex(const QFileDialog& dialog, const std::vector<FileFilter>& filters) {
    const QString chosen = dialog.selectedNameFilter().simplified();
    for (std::size_t i = 0; i < filters.size(); ++i)
        if (chosen == qtFilter(filters[i]).simplified() || chosen == toQString(filters[i].name).simplified())
            return static_cast<int>(i) + 1;
    return 1;
}

// Qt reads a typed name that holds a '"' as a list of quoted names, and
// would open or save a piece of it. The editor asks for one file: the typed
// text is that file's whole name.
class SingleNameDialog : public QFileDialog {
public:
    SingleNameDialog(QWidget* parent, const QString& title, const QString& folder)
        : QFileDialog(parent, title, folder) {
        setOption(QFileDialog::DontUseNativeDialog);
        nameEdit_ = findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        files_ = findChild<QListView*>(QStringLiteral("listView"));
        if (!nameEdit_ || !files_) return;
        // After Qt's own handling of the text, which selects the pieces.
        connect(nameEdit_, &QLineEdit::textChanged, this, &SingleNameDialog::selectTypedName);
        // A click beside the entries keeps the typed name chosen, as it does
        // a name without quotes.
        connect(files_->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
            if (!files_->selectionModel()->hasSelection()) selectTypedName(nameEdit_->text());
        });
    }
    // The file a typed name with a '"' chose that does not exist yet (a new
    // file to save); empty otherwise.
    const QString& newTypedFile() const { return newTypedFile_; }

protected:
    void accept() override {
        const QString typed = nameEdit_ ? nameEdit_->text() : QString();
        const QFileInfo file(directory(), typed);
        if (typed.contains(QLatin1Char('"')) && !file.exists() && acceptMode() == AcceptSave) {
            newTypedFile_ = file.absoluteFilePath();
            QDialog::accept();
            return;
        }
        QFileDialog::accept();
    }

private:
    // The entry the whole typed name names is the one selected, so that
    // Qt's checks and its result are about it. Where Qt has selected a piece
    // of the name meanwhile, and put that piece in the box (it does when the
    // box has no focus), the whole name goes back first.
    void selectTypedName(const QString& typed) {
        if (!typed.contains(QLatin1Char('"'))) return;
        auto* model = qobject_cast<QFileSystemModel*>(files_->model());
        if (!model) return;
        if (nameEdit_->text() != typed) nameEdit_->setText(typed);
        const QModelIndex entry = model->index(QFileInfo(directory(), typed).absoluteFilePath());
        if (entry.isValid())
            files_->selectionModel()->select(entry, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        else
            files_->selectionModel()->clearSelection();
    }

    QLineEdit* nameEdit_ = nullptr;
    QListView* files_ = nullptr;
    QString newTypedFile_;
};

}  // namespace

std::optional<FileDialogResult> QtFileDialogs::run(const FileDialogRequest& request, bool save) {
    SingleNameDialog dialog(parent_ ? parent_() : nullptr, toQString(request.title), toQString(request.folder));
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (!request.filters.empty()) {
        QStringList filters;
        for (const auto& filter : request.filters) filters << qtFilter(filter);
        dialog.setNameFilters(filters);
        const int index = std::clamp(request.filterIndex, 1, static_cast<int>(filters.size()));
        dialog.selectNameFilter(filters[index - 1]);
    }
    if (!request.fileName.empty()) dialog.selectFile(toQString(request.fileName));

    QCheckBox* readOnly = nullptr;
    if (request.showReadOnlyBox) {
        readOnly = new QCheckBox(QObject::tr("Open as &read-only"), &dialog);
        readOnly->setChecked(request.readOnlyChecked);
        if (auto* grid = qobject_cast<QGridLayout*>(dialog.layout()))
            grid->addWidget(readOnly, grid->rowCount(), 0, 1, grid->columnCount());
    }

    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    const QString chosen = dialog.newTypedFile().isEmpty() ? dialog.selectedFiles().value(0) : dialog.newTypedFile();
    if (chosen.isEmpty()) return std::nullopt;
    FileDialogResult result;
    result.path = fromQString(QDir::toNativeSeparators(QFileInfo(chosen).absoluteFilePath()));
    result.filterIndex = chosenFilterIndex(dialog, request.filters);
    result.readOnly = readOnly && readOnly->isChecked();
    return result;
}

std::optional<FileDialogResult> QtFileDialogs::openFile(const FileDialogRequest& request) {
    return run(request, false);
}

std::optional<FileDialogResult> QtFileDialogs::saveFile(const FileDialogRequest& request) {
    return run(request, true);
}

std::optional<std::string> QtFileDialogs::chooseFolder(const std::string& title, const std::string& startFolder) {
    const QString folder = QFileDialog::getExistingDirectory(parent_ ? parent_() : nullptr, toQString(title),
                                                             toQString(startFolder));
    if (folder.isEmpty()) return std::nullopt;
    return fromQString(QDir::toNativeSeparators(folder));
}

}  // namespace tagloom

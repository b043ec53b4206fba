#include "platform/qt/QtFileDialogs.h"

#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>

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

}  // namespace

std::optional<FileDialogResult> QtFileDialogs::run(const FileDialogRequest& request, bool save) {
    QFileDialog dialog(parent_ ? parent_() : nullptr, toQString(request.title), toQString(request.folder));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
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

    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    FileDialogResult result;
    result.path = fromQString(QDir::toNativeSeparators(QFileInfo(dialog.selectedFiles().front()).absoluteFilePath()));
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

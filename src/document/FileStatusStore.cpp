#include "document/FileStatusStore.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStandardPaths>
#include <QString>

#include <fcntl.h>
#include <unistd.h>

#include <cctype>
#include <string_view>
#include <utility>
#include <vector>

namespace tagloom {

namespace {

constexpr std::string_view kLineEnd = "\r\n";

QString toQString(const std::string& path) {
    return QString::fromStdString(path);
}

// Whether this process may create files in a folder. The check uses the
// effective rights, which are the ones the write will have.
bool isWritableFolder(const std::string& folder) {
    return !folder.empty() && ::faccessat(AT_FDCWD, folder.c_str(), W_OK | X_OK, AT_EACCESS) == 0;
}

// A store file made read-only stays as it is, though its folder would let
// the rename replace it.
bool isReadOnlyFile(const std::string& path) {
    return ::faccessat(AT_FDCWD, path.c_str(), F_OK, AT_EACCESS) == 0 &&
           ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0;
}

// A path no record line could carry: the line would break in two, or its
// leading white space would be trimmed off when the line is read.
bool isStorablePath(const std::string& path) {
    return !path.empty() && path.find_first_of("\r\n") == std::string::npos &&
           !std::isspace(static_cast<unsigned char>(path.front()));
}

// The store's lines, each trimmed of white space at both ends; empty lines
// are no records and are left out. A file that cannot be read has none.
std::vector<std::string> readLines(const std::string& filePath) {
    QFile file(toQString(filePath));
    if (!file.open(QIODevice::ReadOnly)) return {};
    const QByteArray contents = file.readAll();
    std::vector<std::string> lines;
    for (const QByteArray& line : contents.split('\n')) {
        const QByteArray trimmed = line.trimmed();
        if (!trimmed.isEmpty()) lines.emplace_back(trimmed.constData(), static_cast<std::size_t>(trimmed.size()));
    }
    return lines;
}

}  // namespace

std::string FileStatusStore::defaultFilePath() {
    const std::string executableFolder =
        QCoreApplication::instance() ? QCoreApplication::applicationDirPath().toStdString() : std::string();
    return locateFile(executableFolder,
                      QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation).toStdString());
}

std::string FileStatusStore::locateFile(const std::string& executableFolder, const std::string& configFolder) {
    if (isWritableFolder(executableFolder)) return executableFolder + '/' + kFileName;
    QDir().mkpath(toQString(configFolder));
    return configFolder + '/' + kFileName;
}

FileStatusStore::FileStatusStore(std::string filePath) : filePath_(std::move(filePath)) {}

bool FileStatusStore::store(const FileStatusRecord& record) const {
    if (!isStorablePath(record.path) || isReadOnlyFile(filePath_)) return false;
    std::string contents = formatFileStatusRecord(record);
    contents += kLineEnd;
    int kept = 1;
    for (const std::string& line : readLines(filePath_)) {
        if (kept == kMaxRecords) break;
        if (!hasFileStatusRecordForm(line) || isFileStatusRecordOf(line, record.path)) continue;
        contents += line;
        contents += kLineEnd;
        ++kept;
    }

    QSaveFile file(toQString(filePath_));
    if (!file.open(QIODevice::WriteOnly)) return false;
    const auto size = static_cast<qint64>(contents.size());
    if (file.write(contents.data(), size) != size) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

std::optional<FileStatusRecord> FileStatusStore::restore(const std::string& path) const {
    const std::vector<std::string> lines = readLines(filePath_);
    // Searched from the oldest line up, as the store has always done; the
    // store itself never leaves two records of one path.
    for (auto line = lines.rbegin(); line != lines.rend(); ++line)
        if (auto record = parseFileStatusRecord(*line, path)) return record;
    return std::nullopt;
}

}  // namespace tagloom

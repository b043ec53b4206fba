#pragma once
// Small rules on file paths that several features share.
#include <string>

namespace tagloom {

// The file name of a path: what follows its last '/'.
std::string fileNameOf(const std::string& path);
// The folder of a path, with its trailing '/'; empty when it has none.
std::string folderOf(const std::string& path);
// The file a name selected in a document stands for: backslashes read as '/',
// a relative name taken from the document's folder (as it stands, relative to
// the current folder, for a document not yet saved).
std::string selectedFilePath(std::string selected, const std::string& documentPath);

}  // namespace tagloom

#pragma once
// The copies of the text that Send hands to the mail program. Each lies in a
// folder of its own in the temporary folder and outlives the command: the
// mail program may read the attachment while the user writes the mail, or
// only when the mail is sent, perhaps after the editor has closed, and no
// mail program tells when it is done with it. A day later the mail has long
// been sent or put aside; then the next Send, or the next start of the
// editor, removes the copy.
#include <chrono>
#include <string>

namespace tagloom {

inline constexpr const char* kSendFolderPrefix = "tagloom-send-";
inline constexpr std::chrono::hours kSendCopyLifetime{24};

// The folder the copies' folders are made in: the system's temporary folder.
std::string sendCopiesFolder();

// Removes from `folder` the copies' folders whose copy was made more than
// kSendCopyLifetime ago. Only the user's own folders go; a link, a file or
// another user's folder of that name stays, and so does anything that
// cannot be removed.
void removeStaleSendCopies(const std::string& folder);

}  // namespace tagloom

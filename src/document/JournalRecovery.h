#pragma once
// Reading back the journal of an instance that ended without saving: its
// edits replayed onto the text they were made to, which is the text kept
// beside the journal, or the file itself while it still holds that text.
#include <cstddef>
#include <optional>
#include <string>

#include "document/JournalFiles.h"
#include "document/JournalFormat.h"

namespace tagloom {

struct RecoveredText {
    JournalHeader header;
    std::string text;         // as the editor held it, every line break CR LF
    std::size_t caret = 0;    // where the last edit ended
    bool cutShort = false;    // the last changes could not be read
    bool fileChanged = false;  // the file is not the one the edits were made to any more
};

struct JournalRecovery {
    enum class Outcome {
        Recovered,   // `recovered` holds the text
        Unreadable,  // no whole header: nothing can be made of the journal
        BaseGone,    // the text the edits were made to is nowhere to be read
    };
    Outcome outcome = Outcome::Unreadable;
    std::optional<RecoveredText> recovered;
};

JournalRecovery recoverJournal(const JournalFile& journal);

// The question that offers the recovered text.
std::string recoverQuestion(const RecoveredText& recovered);

}  // namespace tagloom

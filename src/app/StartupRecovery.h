#pragma once
// What start-up does with the journals of instances that ended before their
// changes were saved: each is offered, "Tagloom - Recover"; Yes opens the
// recovered text (the first in this instance, each further one in an
// instance of its own), No deletes the journal. A journal that cannot be
// read, or whose edits apply to a text that is gone, is kept under another
// name, and all of those are named in one message.
#include <functional>
#include <string>

#include "document/JournalFiles.h"
#include "document/JournalRecovery.h"

namespace tagloom {

class Prompter;

class StartupRecovery {
public:
    struct Host {
        // Shows the recovered text in this instance; the journal goes once
        // the text is kept in a journal of this instance.
        std::function<void(RecoveredText&& recovered, JournalFile&& journal)> openHere;
        // Starts another instance on the journal at path; false when none started.
        std::function<bool(const std::string& path)> openElsewhere;
    };

    StartupRecovery(Prompter& prompter, Host host) : prompter_(prompter), host_(std::move(host)) {}

    // Offers every orphaned journal of folder; true when one was opened here.
    bool offerOrphans(const std::string& folder);
    // Opens the journal at path, which another instance offered already
    // (--recover); true when it was opened.
    bool openJournal(const std::string& path);

private:
    // The journal as a recovered text, or set aside; nothing in that case.
    std::optional<RecoveredText> read(JournalFile& journal);
    void reportSetAside();

    Prompter& prompter_;
    Host host_;
    std::vector<std::string> setAside_;
};

}  // namespace tagloom

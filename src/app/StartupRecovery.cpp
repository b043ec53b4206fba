#include "app/StartupRecovery.h"

#include "platform/Prompter.h"

namespace tagloom {

namespace {

constexpr const char* kTitle = "Tagloom - Recover";

}  // namespace

std::optional<RecoveredText> StartupRecovery::read(JournalFile& journal) {
    JournalRecovery recovery = recoverJournal(journal);
    if (recovery.outcome == JournalRecovery::Outcome::Recovered) return std::move(recovery.recovered);
    const std::string kept = journal.path() + ".unreadable";
    if (journal.setAside()) setAside_.push_back(kept);
    return std::nullopt;
}

void StartupRecovery::reportSetAside() {
    if (setAside_.empty()) return;
    std::string text = "Unsaved changes that Tagloom kept could not be read back. They are kept in:";
    for (const std::string& path : setAside_) text += "\n" + path;
    setAside_.clear();
    prompter_.ask({text, kTitle, Buttons::Ok, Icon::Warning, 0});
}

bool StartupRecovery::offerOrphans(const std::string& folder) {
    bool openedHere = false;
    for (JournalFile& journal : orphanedJournals(folder)) {
        std::optional<RecoveredText> recovered = read(journal);
        if (!recovered) continue;
        if (prompter_.ask({recoverQuestion(*recovered), kTitle, Buttons::YesNo, Icon::Question, 0}) != Answer::Yes) {
            journal.remove();
            continue;
        }
        if (!openedHere) {
            openedHere = true;
            host_.openHere(std::move(*recovered), std::move(journal));
            continue;
        }
        // The other instance takes the journal over: it must find it unlocked.
        const std::string path = journal.path();
        journal = JournalFile();
        host_.openElsewhere(path);
    }
    reportSetAside();
    return openedHere;
}

bool StartupRecovery::openJournal(const std::string& path) {
    std::optional<JournalFile> journal = JournalFile::claim(path);
    if (!journal) return false;
    std::optional<RecoveredText> recovered = read(*journal);
    reportSetAside();
    if (!recovered) return false;
    host_.openHere(std::move(*recovered), std::move(*journal));
    return true;
}

}  // namespace tagloom

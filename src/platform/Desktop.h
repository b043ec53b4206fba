#pragma once
// Small desktop services: the beep, the busy cursor and the trash.
#include <string>

namespace tagloom {

class Desktop {
public:
    virtual ~Desktop() = default;
    virtual void beep() = 0;
    virtual void setBusy(bool busy) = 0;
    // Moves a file to the desktop's trash, from where the user can restore
    // it; false when no trash takes it (none on this desktop or for its
    // disk), and the file is then where it was.
    virtual bool moveToTrash(const std::string& path) = 0;
};

// Shows the busy cursor for as long as it lives.
class BusyCursor {
public:
    explicit BusyCursor(Desktop& desktop) : desktop_(desktop) { desktop_.setBusy(true); }
    ~BusyCursor() { desktop_.setBusy(false); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;

private:
    Desktop& desktop_;
};

}  // namespace tagloom

#pragma once
// Small desktop services: the beep and the busy cursor.

namespace tagloom {

class Desktop {
public:
    virtual ~Desktop() = default;
    virtual void beep() = 0;
    virtual void setBusy(bool busy) = 0;
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

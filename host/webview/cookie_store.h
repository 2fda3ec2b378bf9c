#pragma once
// The cookie store's file, where the chosen zone is kept between runs. A
// damaged one would make every start forget the zone, so it is moved aside
// before the browser opens it; and whether it still keeps what the page
// writes is checked, since the browser only warns on its own standard error
// when it cannot.

#include <string>
#include <vector>

namespace kestrun {

// When the file at `path` exists but cannot be read as a database (garbage,
// cut short) or is no file at all (a folder, a FIFO), moves it (and the
// journal beside it) to a dated name in the same folder, so that the browser
// starts a fresh store, and says so on standard error. Nothing is deleted; a
// store that is only busy or locked is left alone.
void setAsideDamagedStore(const std::string& path);

// A cookie as the store keeps it.
struct StoredCookie {
    std::string name;
    std::string value;
    std::string path;
};

struct StoreCheck {
    enum Verdict {
        Keeps,    // the store holds every cookie asked about and can be written
        Behind,   // it can be written but lacks some of them
        Unusable  // it cannot be read or written; `reason` says why
    } verdict;
    std::string reason;
};

// Whether the store at `path` holds `cookies` and takes writes, waiting up
// to `waitMs` for a lock another program holds. Writes nothing the store's
// content depends on. Slow when the store is locked: not for the window's
// thread.
StoreCheck checkStore(const std::string& path, const std::vector<StoredCookie>& cookies, int waitMs);

}  // namespace kestrun

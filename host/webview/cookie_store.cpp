#include "webview/cookie_store.h"

#include "platform/glib_ptr.h"

#include <glib/gstdio.h>
#include <sqlite3.h>

#include <cerrno>
#include <cstring>
#include <iostream>
#include <memory>

namespace kestrun {

namespace {

using Database = std::unique_ptr<sqlite3, decltype(&sqlite3_close)>;

bool damageCode(int code) { return code == SQLITE_NOTADB || code == SQLITE_CORRUPT; }

int noteNotOk(void* bad, int, char** values, char**) {
    if (values[0] == nullptr || std::strcmp(values[0], "ok") != 0) *static_cast<bool*>(bad) = true;
    return 0;
}

// What SQLite itself calls "not a database" or "malformed". The file is
// opened for writing so that SQLite can roll back a journal left by a
// program that ended mid-write, which is a store in good order.
bool damaged(const std::string& path) {
    sqlite3* raw = nullptr;
    const int opened = sqlite3_open_v2(path.c_str(), &raw, SQLITE_OPEN_READWRITE, nullptr);
    Database db(raw, &sqlite3_close);
    if (opened != SQLITE_OK) return damageCode(opened);
    bool bad = false;
    const int checked = sqlite3_exec(db.get(), "PRAGMA quick_check", noteNotOk, &bad, nullptr);
    return damageCode(checked) || (checked == SQLITE_OK && bad);
}

std::string datedName(const std::string& path) {
    GDateTime* now = g_date_time_new_now_local();
    GCharPtr stamp(g_date_time_format(now, "%Y%m%d-%H%M%S"));
    g_date_time_unref(now);
    const std::string base = path + ".damaged-" + stamp.get();
    std::string name = base;
    for (int n = 2; g_file_test(name.c_str(), G_FILE_TEST_EXISTS); ++n) name = base + "-" + std::to_string(n);
    return name;
}

}  // namespace

void setAsideDamagedStore(const std::string& path) {
    if (!g_file_test(path.c_str(), G_FILE_TEST_IS_REGULAR) || !damaged(path)) return;
    const std::string aside = datedName(path);
    if (g_rename(path.c_str(), aside.c_str()) != 0) {
        std::cerr << "kestrun: the cookie store " << path
                  << " is damaged and could not be moved aside: " << std::strerror(errno) << std::endl;
        return;
    }
    // A journal belongs to the store it was written for, not to the new one.
    const std::string journal = path + "-journal";
    if (g_file_test(journal.c_str(), G_FILE_TEST_EXISTS) &&
        g_rename(journal.c_str(), (aside + "-journal").c_str()) != 0)
        std::cerr << "kestrun: could not move " << journal << " aside: " << std::strerror(errno) << std::endl;
    std::cerr << "kestrun: the cookie store " << path << " could not be read as a database; it was moved to " << aside
              << " and a new one started" << std::endl;
}

}  // namespace kestrun

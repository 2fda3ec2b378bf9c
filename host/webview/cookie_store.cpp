#include "webview/cookie_store.h"

#include "platform/app_path.h"
#include "platform/glib_ptr.h"

#include <glib/gstdio.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <memory>
#include <set>
#include <tuple>

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

StoreCheck unusable(std::string reason) { return {StoreCheck::Unusable, std::move(reason)}; }

// The system's word where the file system refused, else SQLite's ("database
// is locked").
std::string reasonOf(sqlite3* db, int code) {
    const int primary = code & 0xff;
    const int system = db != nullptr ? sqlite3_system_errno(db) : 0;
    if (system != 0 && primary != SQLITE_BUSY && primary != SQLITE_LOCKED) return std::strerror(system);
    return db != nullptr ? sqlite3_errmsg(db) : sqlite3_errstr(code);
}

int addRow(void* rows, int, char** values, char**) {
    auto* kept = static_cast<std::set<std::tuple<std::string, std::string, std::string>>*>(rows);
    kept->emplace(values[0] ? values[0] : "", values[1] ? values[1] : "", values[2] ? values[2] : "");
    return 0;
}

int readInteger(void* out, int, char** values, char**) {
    *static_cast<int*>(out) = values[0] ? std::atoi(values[0]) : 0;
    return 0;
}

}  // namespace

void setAsideDamagedStore(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return;
    const bool file = S_ISREG(info.st_mode);
    if (file && !damaged(path)) return;
    const char* what = file ? "could not be read as a database" : "is not a file";
    const std::string aside = datedName(path);
    if (g_rename(path.c_str(), aside.c_str()) != 0) {
        std::cerr << "kestrun: the cookie store " << path << " " << what
                  << " and could not be moved aside: " << std::strerror(errno) << std::endl;
        return;
    }
    // A journal belongs to the store it was written for, not to the new one.
    const std::string journal = path + "-journal";
    if (g_file_test(journal.c_str(), G_FILE_TEST_EXISTS) &&
        g_rename(journal.c_str(), (aside + "-journal").c_str()) != 0)
        std::cerr << "kestrun: could not move " << journal << " aside: " << std::strerror(errno) << std::endl;
    std::cerr << "kestrun: the cookie store " << path << " " << what << "; it was moved to " << aside
              << " and a new one started" << std::endl;
}

StoreCheck checkStore(const std::string& path, const std::vector<StoredCookie>& cookies, int waitMs) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        if (errno != ENOENT) return unusable(std::strerror(errno));
        // The browser makes the store with the first cookie it keeps.
        if (cookies.empty()) return {StoreCheck::Keeps, {}};
        const std::string folder = folderOf(path);
        if (::access(folder.c_str(), W_OK | X_OK) != 0) return unusable(folder + ": " + std::strerror(errno));
        return unusable("the file was not made");
    }
    if (!S_ISREG(info.st_mode)) return unusable("not a regular file");

    sqlite3* raw = nullptr;
    const int opened = sqlite3_open_v2(path.c_str(), &raw, SQLITE_OPEN_READWRITE, nullptr);
    Database db(raw, &sqlite3_close);
    if (opened != SQLITE_OK) return unusable(reasonOf(db.get(), opened));
    sqlite3_busy_timeout(db.get(), waitMs);

    std::set<std::tuple<std::string, std::string, std::string>> kept;
    if (!cookies.empty()) {
        const int read = sqlite3_exec(db.get(), "SELECT name, value, path FROM moz_cookies", addRow, &kept, nullptr);
        // A store the browser has not written to yet has no table.
        if (read != SQLITE_OK && read != SQLITE_ERROR) return unusable(reasonOf(db.get(), read));
    }
    // The header's user version, written back as it is: a real write, which
    // a lock, a read-only file or a full disk refuses.
    int version = 0;
    int result = sqlite3_exec(db.get(), "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
    if (result == SQLITE_OK) result = sqlite3_exec(db.get(), "PRAGMA user_version", readInteger, &version, nullptr);
    if (result == SQLITE_OK)
        result = sqlite3_exec(db.get(), ("PRAGMA user_version = " + std::to_string(version)).c_str(), nullptr, nullptr,
                              nullptr);
    if (result == SQLITE_OK) result = sqlite3_exec(db.get(), "COMMIT", nullptr, nullptr, nullptr);
    if (result != SQLITE_OK) {
        const std::string reason = reasonOf(db.get(), result);
        sqlite3_exec(db.get(), "ROLLBACK", nullptr, nullptr, nullptr);
        return unusable(reason);
    }
    for (const StoredCookie& cookie : cookies)
        if (kept.count({cookie.name, cookie.value, cookie.path}) == 0) return {StoreCheck::Behind, {}};
    return {StoreCheck::Keeps, {}};
}

}  // namespace kestrun

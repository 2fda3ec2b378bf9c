#pragma once
// Owning handles for GLib/GObject values, so that every object the host takes
// from GLib is released on every path, errors included.

#include <glib-object.h>
#include <glib.h>

#include <memory>

namespace kestrun {

struct GObjectUnref {
    void operator()(gpointer object) const { g_object_unref(object); }
};
template <typename T>
using GObjectPtr = std::unique_ptr<T, GObjectUnref>;

// Takes over a reference the caller already holds (a "transfer full" result).
template <typename T>
GObjectPtr<T> adopt(T* object) {
    return GObjectPtr<T>(object);
}

struct GFree {
    void operator()(gpointer memory) const { g_free(memory); }
};
using GCharPtr = std::unique_ptr<gchar, GFree>;

struct GBytesUnref {
    void operator()(GBytes* bytes) const { g_bytes_unref(bytes); }
};
using GBytesPtr = std::unique_ptr<GBytes, GBytesUnref>;

struct GKeyFileUnref {
    void operator()(GKeyFile* file) const { g_key_file_unref(file); }
};
using GKeyFilePtr = std::unique_ptr<GKeyFile, GKeyFileUnref>;

struct GTimeZoneUnref {
    void operator()(GTimeZone* zone) const { g_time_zone_unref(zone); }
};
using GTimeZonePtr = std::unique_ptr<GTimeZone, GTimeZoneUnref>;

// Boxed values that have a free or unref function of their own:
//   FreedPtr<WebKitUserScript, webkit_user_script_unref>
template <typename T, void (*Free)(T*)>
struct FreeWith {
    void operator()(T* value) const { Free(value); }
};
template <typename T, void (*Free)(T*)>
using FreedPtr = std::unique_ptr<T, FreeWith<T, Free>>;

// Collects a GError out-parameter into an owning handle:
//   GErrorOut error; call(..., error.out()); if (error) ...
class GErrorOut {
public:
    GError** out() { return &raw_; }
    explicit operator bool() const { return raw_ != nullptr; }
    const GError* get() const { return raw_; }
    ~GErrorOut() {
        if (raw_) g_error_free(raw_);
    }
    GErrorOut() = default;
    GErrorOut(const GErrorOut&) = delete;
    GErrorOut& operator=(const GErrorOut&) = delete;

private:
    GError* raw_ = nullptr;
};

}  // namespace kestrun

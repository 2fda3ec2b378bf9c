#include "platform/resource_strings.h"

#include "platform/glib_ptr.h"
#include "platform/runtime_error.h"

#include <gio/gio.h>

namespace kestrun {

namespace {

constexpr int firstStringId = 96;
constexpr int lastStringId = 111;

bool hasText(int id) { return id == 101 || id == 102; }

std::u16string utf8ToUtf16(const char* text, gssize length, const std::string& where) {
    GErrorOut error;
    glong units = 0;
    gunichar2* converted = g_utf8_to_utf16(text, length, nullptr, &units, error.out());
    if (error) throw RuntimeError("load string resource", where, error.get()->message);
    std::unique_ptr<gunichar2, GFree> owned(converted);
    return std::u16string(reinterpret_cast<const char16_t*>(owned.get()), static_cast<std::size_t>(units));
}

}  // namespace

std::u16string LoadResString(int id) {
    const std::string name = "/kestrun/strings/" + std::to_string(id);
    if (id < firstStringId || id > lastStringId)
        throw RuntimeError("load string resource", name, "Resource with this identifier not found");
    if (!hasText(id)) return {};

    const std::string text = resourceData(name, "load string resource");
    return utf8ToUtf16(text.data(), static_cast<gssize>(text.size()), name);
}

std::string resourceData(const std::string& name, const char* operation) {
    GErrorOut error;
    GBytesPtr bytes(g_resources_lookup_data(name.c_str(), G_RESOURCE_LOOKUP_FLAGS_NONE, error.out()));
    if (error) throw RuntimeError(operation, name, error.get()->message);
    gsize size = 0;
    const auto* data = static_cast<const char*>(g_bytes_get_data(bytes.get(), &size));
    return std::string(data, size);
}

}  // namespace kestrun

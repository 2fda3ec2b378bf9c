#include "cal_script.h"

#include "platform/glib_ptr.h"

#include <gio/gio.h>
#include <jsc/jsc.h>

#include <malloc.h>
#include <stdexcept>

namespace kestrun {

namespace {

constexpr const char* scriptPath = "/kestrun/cal/kestrun-cal.js";

// The context's pending exception, with where it was raised, as an error.
void throwIfFailed(JSCContext* context, const char* what) {
    JSCException* exception = jsc_context_get_exception(context);
    if (!exception) return;
    GCharPtr report(jsc_exception_report(exception));
    throw std::runtime_error(std::string(what) + ": " + report.get());
}

// The engine's defaults suit a browser with memory to spare: its heap may
// grow to several times what is alive before it collects, and its fastest
// compiler takes tens of megabytes of its own. An iCalendar export of a
// large days.tsv makes millions of short-lived strings; with these it keeps
// to less than half the memory for a little more time. The names are the
// engine's own tuning options; one it no longer knows is left alone.
void keepMemoryLow() {
    mallopt(M_MMAP_THRESHOLD, 128 * 1024);  // a fixed threshold: large pieces always mapped and given back
    jsc_options_set_boolean("useFTLJIT", FALSE);
    jsc_options_set_double("heapGrowthMaxIncrease", 0.25);
}

GObjectPtr<JSCContext> loadScript() {
    keepMemoryLow();
    GErrorOut error;
    GBytesPtr bytes(g_resources_lookup_data(scriptPath, G_RESOURCE_LOOKUP_FLAGS_NONE, error.out()));
    if (error) throw std::runtime_error(std::string("cannot load ") + scriptPath + ": " + error.get()->message);
    gsize size = 0;
    const auto* code = static_cast<const char*>(g_bytes_get_data(bytes.get(), &size));

    auto context = adopt(jsc_context_new());
    const std::string uri = std::string("resource://") + scriptPath;
    GObjectPtr<JSCValue> result(
        jsc_context_evaluate_with_source_uri(context.get(), code, static_cast<gssize>(size), uri.c_str(), 1));
    throwIfFailed(context.get(), "the calendar script failed to load");
    return context;
}

std::string stringProperty(JSCValue* object, const char* name) {
    GObjectPtr<JSCValue> value(jsc_value_object_get_property(object, name));
    GCharPtr text(jsc_value_to_string(value.get()));
    return text ? std::string(text.get()) : std::string();
}

void setProperty(JSCValue* object, const char* name, GObjectPtr<JSCValue> value) {
    jsc_value_object_set_property(object, name, value.get());
}

// Each piece comes as a copy of up to 200 KB; the C library's heap, with
// the engine's threads allocating beside it, would otherwise keep growing
// around such pieces over a long export (some 15 MB over forty years).
gboolean callSink(const char* text, gpointer sink) {
    malloc_trim(0);
    return (*static_cast<const OutputSink*>(sink))(text ? text : "");
}

// The script's view of standard output, the program's version, and write.
GObjectPtr<JSCValue> outputObject(JSCContext* context, const StandardOutput& out, const OutputSink& write) {
    auto object = adopt(jsc_value_new_object(context, nullptr, nullptr));
    setProperty(object.get(), "tty", adopt(jsc_value_new_boolean(context, out.tty)));
    setProperty(object.get(), "width", adopt(jsc_value_new_number(context, out.width)));
    setProperty(object.get(), "noColor", adopt(jsc_value_new_boolean(context, out.noColor)));
    setProperty(object.get(), "term", adopt(jsc_value_new_string(context, out.term.c_str())));
    setProperty(object.get(), "version", adopt(jsc_value_new_string(context, KESTRUN_VERSION)));
    // The sink outlives the context's use of it: both end within runCalScript.
    setProperty(object.get(), "write",
                adopt(jsc_value_new_function(context, "write", G_CALLBACK(callSink), const_cast<OutputSink*>(&write),
                                             nullptr, G_TYPE_BOOLEAN, 1, G_TYPE_STRING)));
    return object;
}

// { text, path, notUtf8 } of an own file, text null when there is none.
GObjectPtr<JSCValue> ownFileObject(JSCContext* context, const OwnFile& own) {
    auto object = adopt(jsc_value_new_object(context, nullptr, nullptr));
    auto lines = adopt(jsc_value_new_array(context, G_TYPE_NONE));
    for (std::size_t i = 0; i < own.notUtf8.size(); i++)
        jsc_value_object_set_property_at_index(lines.get(), static_cast<guint>(i),
                                               adopt(jsc_value_new_number(context, own.notUtf8[i])).get());
    setProperty(object.get(), "notUtf8", std::move(lines));
    setProperty(object.get(), "text", adopt(own.text ? jsc_value_new_string(context, own.text->c_str())
                                                     : jsc_value_new_null(context)));
    setProperty(object.get(), "path", adopt(jsc_value_new_string(context, own.path.c_str())));
    return object;
}

}  // namespace

CalOutput runCalScript(const std::vector<std::string>& args, const StandardOutput& out, const OwnFile& holidays,
                       const OwnFile& days, const OutputSink& write) {
    auto context = loadScript();
    std::vector<const char*> argv;
    for (const auto& arg : args) argv.push_back(arg.c_str());
    argv.push_back(nullptr);

    GObjectPtr<JSCValue> main(jsc_context_get_value(context.get(), "calMain"));
    GObjectPtr<JSCValue> jsArgs(jsc_value_new_array_from_strv(context.get(), argv.data()));
    GObjectPtr<JSCValue> ownText(holidays.text ? jsc_value_new_string(context.get(), holidays.text->c_str())
                                               : jsc_value_new_null(context.get()));
    GObjectPtr<JSCValue> output(outputObject(context.get(), out, write));
    GObjectPtr<JSCValue> ownDays(ownFileObject(context.get(), days));
    GObjectPtr<JSCValue> result(jsc_value_function_call(main.get(), JSC_TYPE_VALUE, jsArgs.get(), JSC_TYPE_VALUE,
                                                        output.get(), JSC_TYPE_VALUE, ownText.get(), G_TYPE_STRING,
                                                        holidays.path.c_str(), JSC_TYPE_VALUE, ownDays.get(),
                                                        G_TYPE_NONE));
    throwIfFailed(context.get(), "the calendar script failed");

    CalOutput printed;
    GObjectPtr<JSCValue> status(jsc_value_object_get_property(result.get(), "status"));
    printed.status = jsc_value_to_int32(status.get());
    printed.out = stringProperty(result.get(), "out");
    printed.err = stringProperty(result.get(), "err");
    return printed;
}

}  // namespace kestrun

#include "webview/user_file.h"

#include "platform/glib_ptr.h"
#include "platform/runtime_error.h"
#include "platform/text_file_input.h"

#include <json-glib/json-glib.h>

namespace kestrun {

std::string userFileJson(const std::string& path, std::size_t limit, std::string& problem, bool lineByLine) {
    problem.clear();
    auto builder = adopt(json_builder_new());
    json_builder_begin_object(builder.get());
    // A file name need not be UTF-8; the page only shows it.
    GCharPtr shown(g_filename_display_name(path.c_str()));
    json_builder_set_member_name(builder.get(), "file");
    json_builder_add_string_value(builder.get(), shown.get());
    try {
        if (auto text = lineByLine ? readUserFile(path, limit) : readUserTextFile(path, limit)) {
            const std::vector<int> notUtf8 = lineByLine ? emptyLinesNotUtf8(*text) : std::vector<int>{};
            json_builder_set_member_name(builder.get(), "text");
            json_builder_add_string_value(builder.get(), text->c_str());
            if (!notUtf8.empty()) {
                json_builder_set_member_name(builder.get(), "notUtf8");
                json_builder_begin_array(builder.get());
                for (int line : notUtf8) json_builder_add_int_value(builder.get(), line);
                json_builder_end_array(builder.get());
            }
        }
    } catch (const RuntimeError& error) {
        problem = error.reason();
        json_builder_set_member_name(builder.get(), "error");
        json_builder_add_string_value(builder.get(), problem.c_str());
    }
    json_builder_end_object(builder.get());
    const FreedPtr<JsonNode, json_node_unref> root(json_builder_get_root(builder.get()));
    GCharPtr json(json_to_string(root.get(), FALSE));
    return json.get();
}

}  // namespace kestrun

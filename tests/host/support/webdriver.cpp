#include "support/webdriver.h"

#include <arpa/inet.h>
#include <json-glib/json-glib.h>
#include <libsoup/soup.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <stdexcept>
#include <thread>

namespace kestrun::test {

namespace {

int freeLocalPort() {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
    ::close(fd);
    return ntohs(address.sin_port);
}

std::string quoted(const std::string& text) {
    JsonNode* node = json_node_init_string(json_node_alloc(), text.c_str());
    gchar* json = json_to_string(node, FALSE);
    std::string result = json;
    g_free(json);
    json_node_unref(node);
    return result;
}

// The "value" member of a WebDriver answer, as JSON text.
std::string valueOf(const std::string& answer) {
    JsonParser* parser = json_parser_new();
    std::string value;
    if (json_parser_load_from_data(parser, answer.c_str(), -1, nullptr)) {
        JsonNode* root = json_parser_get_root(parser);
        if (JSON_NODE_HOLDS_OBJECT(root) && json_object_has_member(json_node_get_object(root), "value")) {
            gchar* text = json_to_string(json_object_get_member(json_node_get_object(root), "value"), FALSE);
            value = text;
            g_free(text);
        }
    }
    g_object_unref(parser);
    return value;
}

std::string sessionIdOf(const std::string& answer) {
    const std::string key = "\"sessionId\":\"";
    const auto at = answer.find(key);
    if (at == std::string::npos) throw std::runtime_error("no session: " + answer);
    const auto start = at + key.size();
    return answer.substr(start, answer.find('"', start) - start);
}

}  // namespace

WebDriver::WebDriver(const std::vector<std::string>& environment) : port_(freeLocalPort()) {
    driver_.emplace(std::vector<std::string>{"WebKitWebDriver", "--port=" + std::to_string(port_)}, environment);
    for (int i = 0; i < 100; ++i) {
        try {
            request("GET", "/status", "");
            return;
        } catch (const std::exception&) {
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
    }
    throw std::runtime_error("WebKitWebDriver did not start");
}

void WebDriver::startSession(const std::string& binary) {
    const std::string capabilities = R"({"capabilities":{"alwaysMatch":{"webkitgtk:browserOptions":{"binary":)" +
                                     quoted(binary) + R"(,"args":["--automation"]}}}})";
    session_ = sessionIdOf(request("POST", "/session", capabilities));
}

std::string WebDriver::execute(const std::string& script) {
    return valueOf(request("POST", "/session/" + session_ + "/execute/sync",
                           R"({"script":)" + quoted(script) + R"(,"args":[]})"));
}

std::string WebDriver::request(const char* method, const std::string& path, const std::string& body) {
    SoupSession* session = soup_session_new();
    soup_session_set_timeout(session, 30);
    const std::string uri = "http://127.0.0.1:" + std::to_string(port_) + path;
    SoupMessage* message = soup_message_new(method, uri.c_str());
    if (!body.empty()) {
        GBytes* bytes = g_bytes_new(body.data(), body.size());
        soup_message_set_request_body_from_bytes(message, "application/json", bytes);
        g_bytes_unref(bytes);
    }
    GError* error = nullptr;
    GBytes* answer = soup_session_send_and_read(session, message, nullptr, &error);
    g_object_unref(message);
    g_object_unref(session);
    if (!answer) {
        const std::string reason = error->message;
        g_error_free(error);
        throw std::runtime_error(uri + ": " + reason);
    }
    gsize size = 0;
    const auto* data = static_cast<const char*>(g_bytes_get_data(answer, &size));
    std::string text(data, size);
    g_bytes_unref(answer);
    return text;
}

}  // namespace kestrun::test

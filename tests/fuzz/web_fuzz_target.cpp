#include "tests/fuzz/web_fuzz_target.h"

#include <QByteArray>
#include <cstdlib>

#include "web/messages/page_request.h"
#include "web/server/http_request.h"

namespace tarvel::web_fuzzing {

void RunInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const web::ParsedRequest parsed = web::ParsePageRequest(bytes);
    // Either a request or a reason, never both or neither.
    if (parsed.request.has_value() != parsed.error.empty()) std::abort();

    const qsizetype length = web::HeadLength(bytes);
    const web::ParsedHead head = web::ParseRequestHead(length > 0 ? bytes.left(length) : bytes);
    if (head.head) {
        (void)head.head->WantsWebSocket();
        // A path that was let through never climbs out of the folders served.
        if (head.head->path.find("/.") != std::string::npos || head.head->path.find('\\') != std::string::npos) {
            std::abort();
        }
    } else if (head.status < 400 || head.status > 499) {
        std::abort();
    }
}

std::vector<std::pair<std::string, std::string>> Seeds() {
    return {
        {"hello", R"({"type":"hello","language":"cs"})"},
        {"resume", R"({"type":"hello","language":"en","resume":"0123456789abcdef0123456789abcdef"})"},
        {"command", R"({"type":"command","name":"play"})"},
        {"name", R"({"type":"scoreName","name":"Jiří"})"},
        {"page", "GET / HTTP/1.1\r\nHost: 127.0.0.1:8412\r\nAccept: text/html\r\n\r\n"},
        {"recording", "GET /zvuky/m7%20srdcova1.opus HTTP/1.1\r\nHost: 127.0.0.1:8412\r\n\r\n"},
        {"upgrade",
         "GET /ws HTTP/1.1\r\nHost: 127.0.0.1:8412\r\nUpgrade: websocket\r\nConnection: Upgrade\r\n"
         "Origin: http://127.0.0.1:8412\r\nSec-WebSocket-Key: dGhlIHNhbXBsZSBub25jZQ==\r\n"
         "Sec-WebSocket-Version: 13\r\n\r\n"},
    };
}

}  // namespace tarvel::web_fuzzing

#include "protocol/framing.h"

#include <algorithm>

#include "common/cp1250.h"

namespace tarvel::protocol {

std::string EncodeForWire(std::string_view message) {
    std::string bytes;
    EncodeForWire(message, bytes);
    return bytes;
}

void EncodeForWire(std::string_view message, std::string& bytes) {
    // Most of what the server sends is plain ASCII without a terminator or zero inside: it
    // goes out as it is, into a buffer kept from one message to the next.
    const bool plain = std::all_of(message.begin(), message.end(), [](char c) {
        return c != kMessageTerminator && c != '\0' && static_cast<unsigned char>(c) < 0x80;
    });
    if (plain) {
        bytes.assign(message);
    } else {
        bytes = Utf8ToCp1250(message);
        std::replace(bytes.begin(), bytes.end(), kMessageTerminator, '/');
        std::replace(bytes.begin(), bytes.end(), '\0', '/');
    }
    bytes += kMessageTerminator;
}

MessageSplitter::Result MessageSplitter::Feed(std::string_view bytes) {
    Result result;
    const auto zero = bytes.find('\0');
    if (zero != std::string_view::npos) bytes = bytes.substr(0, zero);

    std::size_t start = 0;
    for (auto end = bytes.find(kMessageTerminator); end != std::string_view::npos;
         end = bytes.find(kMessageTerminator, start)) {
        pending_.append(bytes.substr(start, end - start));
        if (!pending_.empty()) result.messages.push_back(Cp1250ToUtf8(pending_));
        pending_.clear();
        start = end + 1;
    }
    pending_.append(bytes.substr(start));
    if (pending_.size() > kMaxPendingBytes) {
        pending_.clear();
        result.overflow = true;
    }
    return result;
}

std::string_view MessageKey(std::string_view message) {
    const auto eq = message.find('=');
    return eq == std::string_view::npos ? std::string_view{} : message.substr(0, eq);
}

std::string_view MessageValue(std::string_view message) {
    const auto eq = message.find('=');
    return eq == std::string_view::npos ? std::string_view{} : message.substr(eq + 1);
}

std::string_view LastChar(std::string_view text) {
    if (text.empty()) return text;
    std::size_t start = text.size() - 1;
    // Step back over UTF-8 continuation bytes to the first byte of the character.
    while (start > 0 && (static_cast<unsigned char>(text[start]) & 0xC0) == 0x80) --start;
    return text.substr(start);
}

std::string_view WithoutLastChar(std::string_view text) {
    return text.substr(0, text.size() - LastChar(text).size());
}

}  // namespace tarvel::protocol

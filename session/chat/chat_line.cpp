#include "session/chat/chat_line.h"

namespace tarvel {
namespace {

bool IsContinuationByte(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

std::size_t Characters(std::string_view utf8) {
    std::size_t count = 0;
    for (const char c : utf8) {
        if (!IsContinuationByte(static_cast<unsigned char>(c))) ++count;
    }
    return count;
}

}  // namespace

bool HasWords(std::string_view message) {
    return message.find_first_not_of(" \t") != std::string_view::npos;
}

std::string CleanReceivedMessage(std::string_view message) {
    std::string clean;
    clean.reserve(message.size());
    std::size_t characters = 0;
    for (std::size_t i = 0; i < message.size(); ++i) {
        const auto byte = static_cast<unsigned char>(message[i]);
        if (!IsContinuationByte(byte) && ++characters > kLongestReceivedMessage) break;
        if (byte < 0x20 || byte == 0x7F) {
            clean += ' ';
        } else if (byte == 0xC2 && i + 1 < message.size() &&
                   static_cast<unsigned char>(message[i + 1]) >= 0x80 &&
                   static_cast<unsigned char>(message[i + 1]) <= 0x9F) {
            // U+0080 … U+009F, the second set of control characters.
            clean += ' ';
            ++i;
        } else {
            clean += message[i];
        }
    }
    return clean;
}

std::string ChatLineText(std::string_view message) {
    std::string line(message);
    const std::size_t characters = Characters(message);
    if (characters < kChatLineLength) line.append(kChatLineLength - characters, ' ');
    return line;
}

}  // namespace tarvel

// The framing of the messages between the clients and the server.
//
// On the wire a message is Windows-1250 text closed by one backslash; there is no
// length prefix and no escaping. Inside the program messages are UTF-8 without
// their terminator. The messages themselves, both ways, are in client_messages.h and
// server_messages.h; nothing outside this folder writes a message's name.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tarvel::protocol {

inline constexpr char kMessageTerminator = '\\';

// Text that piles up without a terminator is given up at this size: no client sends
// messages anywhere near it, so it can only be a broken or hostile peer.
inline constexpr std::size_t kMaxPendingBytes = 64 * 1024;

// The bytes of one write: the message in Windows-1250 and its terminator. A terminator
// or zero byte inside the text (a typed chat line) becomes '/', so one message can
// never turn into two on the receiving side.
std::string EncodeForWire(std::string_view message);
// The same into `bytes`, replacing what it held (its room is kept).
void EncodeForWire(std::string_view message, std::string& bytes);

// Splits what the reads of one connection bring into messages. The text after the
// last terminator of a read is kept and put in front of the next read, so a message
// cut by TCP is never lost.
class MessageSplitter {
  public:
    struct Result {
        std::vector<std::string> messages;  // UTF-8, in arrival order, empty ones left out
        bool overflow = false;              // kMaxPendingBytes passed without a terminator
    };

    // A zero byte ends the scan of a read; what follows it in that read is dropped.
    // On overflow the pending text is dropped; the messages completed before it are
    // still returned.
    Result Feed(std::string_view bytes);

    std::size_t PendingBytes() const { return pending_.size(); }
    void Clear() { pending_.clear(); }

  private:
    std::string pending_;
};

// The text before the first "=" (empty when there is none).
std::string_view MessageKey(std::string_view message);
// The text after the first "=" up to the end; it may itself hold "=".
std::string_view MessageValue(std::string_view message);
// The text without its last character (a whole UTF-8 character, not a byte).
std::string_view WithoutLastChar(std::string_view text);
// The last character of the text (a whole UTF-8 character), or empty.
std::string_view LastChar(std::string_view text);

}  // namespace tarvel::protocol

// The hand-written list of servers "svrlist.txt": one server a line, name ";" address
// ";" port, in the client's 8-bit code page (Windows-1250), lines ending in CR LF. The
// client only reads it. Inside the program every text is UTF-8.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace tarvel {

// Opened by this bare name in the current folder, beside the settings file.
inline constexpr const char* kServerListName = "svrlist.txt";

// One line of the list, all three fields as text: the port is only read as a number
// when the network settings are confirmed.
struct ServerEntry {
    std::string name{};
    std::string address{};
    std::string port{};

    friend bool operator==(const ServerEntry&, const ServerEntry&) = default;
};

// The name is the text before the first ";", the address the text between the first
// and the second, the port everything after the second (further ";" included). Without
// ";" the whole line is the port; with one ";" the address is empty.
ServerEntry SplitServerLine(std::string_view line);

// Every line is an entry, an empty one included; a line break at the very end does not
// start one more. Lines end in LF or CR LF. The bytes are Windows-1250, except that a
// file which is wholly valid UTF-8 with at least one character beyond ASCII (or starts
// with the UTF-8 byte order mark) is read as UTF-8: the list is written by hand, and an
// editor on the machines we build on writes UTF-8.
std::vector<ServerEntry> ParseServerList(std::string_view bytes);

// Whether the file is there (the list button is enabled only then).
bool ServerListExists(const std::filesystem::path& file);
// The entries of the file in its order; none when it is missing or cannot be read.
std::vector<ServerEntry> ReadServerList(const std::filesystem::path& file);

// The list as the server list dialog holds it: filled once, with the last line read
// kept as the current entry, which a choice then looks up from.
class ServerList {
  public:
    ServerList() = default;
    explicit ServerList(std::vector<ServerEntry> entries);

    const std::vector<ServerEntry>& Entries() const { return entries_; }
    bool IsEmpty() const { return entries_.empty(); }
    std::size_t Size() const { return entries_.size(); }

    // The last line read: after filling the last line of the list (an empty entry when
    // the list is empty), after a choice the entry it found.
    const ServerEntry& Current() const { return current_; }

    // The position of the first entry named `name`; Size() when there is none.
    std::size_t FirstNamed(std::string_view name) const;

    // The lookup of the list's OK: the current entry when it already has that name,
    // otherwise the first entry of that name; when no entry has it, the last entry (the
    // file was read to its end). The result becomes the current entry.
    const ServerEntry& Choose(std::string_view name);

  private:
    std::vector<ServerEntry> entries_;
    ServerEntry current_;
};

}  // namespace tarvel

#include "session/scores/score_entry.h"

#include <algorithm>
#include <bit>
#include <cassert>

#include "common/cp1250.h"

namespace tarvel {

namespace {

// The stored byte is the name's byte moved down by seven.
constexpr std::uint8_t kNameShift = 249;

void PutLittleEndian(std::string& out, std::uint64_t value, std::size_t bytes) {
    for (std::size_t i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

std::uint64_t GetLittleEndian(std::string_view in, std::size_t bytes) {
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < bytes; ++i) value |= std::uint64_t{static_cast<unsigned char>(in[i])} << (8 * i);
    return value;
}

void BlankControlCharacters(std::string& bytes) {
    for (char& c : bytes) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = ' ';
    }
}

}  // namespace

StoredTableName EncodeTableName(std::string_view bytes) {
    StoredTableName stored{};
    const std::size_t length = std::min(bytes.size(), kTableNameSize);
    for (std::size_t i = 0; i < length; ++i) {
        stored[i] = static_cast<std::uint8_t>(static_cast<unsigned char>(bytes[i]) + kNameShift);
    }
    return stored;
}

std::string DecodeTableName(const StoredTableName& stored) {
    std::string bytes;
    for (const std::uint8_t byte : stored) {
        if (byte == 0) break;
        bytes.push_back(static_cast<char>(static_cast<std::uint8_t>(byte - kNameShift)));
    }
    return bytes;
}

StoredTableName TableNameFromText(std::string_view text) {
    std::string bytes = Utf8ToCp1250(text);
    BlankControlCharacters(bytes);
    return EncodeTableName(bytes);
}

std::string TableNameText(const StoredTableName& stored) {
    std::string bytes = DecodeTableName(stored);
    BlankControlCharacters(bytes);
    return Cp1250ToUtf8(bytes);
}

std::string ScoreEntryBytes(const ScoreEntry& entry) {
    std::string bytes(entry.name.begin(), entry.name.end());
    PutLittleEndian(bytes, static_cast<std::uint32_t>(entry.score), 4);
    PutLittleEndian(bytes, std::bit_cast<std::uint64_t>(entry.moment), 8);
    return bytes;
}

ScoreEntry ScoreEntryFromBytes(std::string_view bytes) {
    assert(bytes.size() >= kScoreEntrySize);
    ScoreEntry entry;
    std::copy_n(bytes.begin(), kTableNameSize, entry.name.begin());
    entry.score = static_cast<std::int32_t>(static_cast<std::uint32_t>(GetLittleEndian(bytes.substr(20), 4)));
    entry.moment = std::bit_cast<double>(GetLittleEndian(bytes.substr(24), 8));
    return entry;
}

}  // namespace tarvel

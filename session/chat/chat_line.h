// The text of a message as it travels: what is worth sending, what of a received one
// is read and printed, and the printed line itself. Text is UTF-8; lengths count
// characters, not bytes.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tarvel {

// The message field takes this many characters, and the printed line is this long.
inline constexpr std::size_t kChatLineLength = 70;
// A received message is cut here: the other side's field stops at kChatLineLength,
// so only a foreign program sends more, and it must not talk over the game for minutes.
inline constexpr std::size_t kLongestReceivedMessage = 255;

// A message of nothing but blanks has no words: it is not sent, and not read aloud.
bool HasWords(std::string_view message);

// What is read aloud and printed of a received message: control characters (a line
// break would start a second line over the table) become blanks, and the text ends
// after kLongestReceivedMessage characters.
std::string CleanReceivedMessage(std::string_view message);

// The line printed on the table: the message followed by blanks up to kChatLineLength
// characters, so that a longer earlier message is covered; a message of that length
// or more gets no blanks.
std::string ChatLineText(std::string_view message);

}  // namespace tarvel

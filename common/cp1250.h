// Windows-1250, the code page of the settings files, the table of results, the
// server list, the wire and the recordings' names. Inside the program text is UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace tarvel {

// Every byte decodes. The five bytes the code page leaves undefined (0x81, 0x83,
// 0x88, 0x90, 0x98) decode to the C1 control of the same number, so any byte string
// survives a round trip unchanged.
std::string Cp1250ToUtf8(std::string_view bytes);

// Characters the code page cannot hold become '?'. Malformed UTF-8 bytes become '?'.
std::string Utf8ToCp1250(std::string_view text);

}  // namespace tarvel

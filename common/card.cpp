#include "common/card.h"

namespace tarvel {

std::size_t CharCount(std::string_view text) {
    std::size_t count = 0;
    for (unsigned char c : text) {
        if ((c & 0xC0) != 0x80) ++count;
    }
    return count;
}

std::string_view FirstChars(std::string_view text, std::size_t count) {
    std::size_t seen = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {
            if (seen == count) return text.substr(0, i);
            ++seen;
        }
    }
    return text;
}

bool StartsWith(std::string_view text, std::string_view prefix) {
    return text.starts_with(prefix);
}

bool IsSeven(std::string_view name) {
    return StartsWith(name, "7");
}
bool IsAce(std::string_view name) {
    return StartsWith(name, "eso");
}
bool IsQueen(std::string_view name) {
    return StartsWith(name, "dáma");
}
bool IsEight(std::string_view name) {
    return StartsWith(name, "8");
}
bool IsNine(std::string_view name) {
    return StartsWith(name, "9");
}
bool IsTen(std::string_view name) {
    return StartsWith(name, "10");
}
bool BeginsKingOfSpades(std::string_view name) {
    return StartsWith(name, "král pik");
}
bool IsKingOfSpades(std::string_view name) {
    return name == "král pikový";
}
bool IsSevenOfSpades(std::string_view name) {
    return StartsWith(name, "7 pik");
}
bool IsSuitMarker(std::string_view name) {
    return StartsWith(name, " ");
}

std::string_view RankPart(std::string_view name) {
    const auto blank = name.find(' ');
    if (blank == std::string_view::npos) return name;
    return name.substr(0, blank + 1);
}

std::string_view SuitPart(std::string_view name) {
    const auto blank = name.find(' ');
    if (blank == std::string_view::npos) return {};
    return FirstChars(name.substr(blank + 1), 3);
}

int SuitIndexOfKey(std::string_view key) {
    for (int i = 0; i < kSuitCount; ++i) {
        if (kSuitKeys[i] == key) return i;
    }
    return -1;
}

std::string_view MarkerOfSuitKey(std::string_view key) {
    const int index = SuitIndexOfKey(key);
    return index < 0 ? std::string_view{} : kSuitMarkers[index];
}

std::string_view MarkerOfSuit(int suitIndex) {
    if (suitIndex < 0 || suitIndex >= kSuitCount) return {};
    return kSuitMarkers[suitIndex];
}

bool FitsOn(std::string_view card, std::string_view top) {
    return IsQueen(card) || RankPart(card) == RankPart(top) || SuitPart(card) == SuitPart(top);
}

}  // namespace tarvel

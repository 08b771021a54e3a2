#include "client/chat/voice_order.h"

#include <algorithm>
#include <string_view>

namespace tarvel {
namespace {

// "cs_CZ", "cs-CZ" and "cs" are all Czech; "csb" (Kashubian) is not.
bool IsLanguage(std::string_view locale, std::string_view language) {
    if (!locale.starts_with(language)) return false;
    return locale.size() == language.size() || locale[language.size()] == '_' ||
           locale[language.size()] == '-';
}

int Group(const ServiceVoice& voice) {
    if (IsLanguage(voice.locale, "cs")) return 0;
    if (IsLanguage(voice.locale, "en")) return 1;
    return 2;
}

}  // namespace

std::vector<ServiceVoice> OrderVoicesForCzech(std::vector<ServiceVoice> voices) {
    std::stable_sort(voices.begin(), voices.end(),
                     [](const ServiceVoice& a, const ServiceVoice& b) { return Group(a) < Group(b); });
    return voices;
}

}  // namespace tarvel

#include "client/voice/voice_description.h"

#include <string>

namespace tarvel {

ServiceVoice DescribeVoice(std::string_view engine, std::string_view locale, std::string_view language,
                           std::string_view voiceName) {
    ServiceVoice voice;
    voice.locale = locale;
    voice.id.append(engine).append(":").append(locale).append(":").append(voiceName);
    voice.label.append(voiceName.empty() ? locale : voiceName).append(" (");
    if (!language.empty()) voice.label.append(language).append(", ");
    voice.label.append(engine).append(")");
    return voice;
}

}  // namespace tarvel

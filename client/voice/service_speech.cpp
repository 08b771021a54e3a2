#include "client/voice/service_speech.h"

#include <string>
#include <thread>

#include "session/speech/who_leads.h"

namespace tarvel {
namespace {

// As the phrase player's: short enough to keep the window's painting smooth, long
// enough not to spin.
constexpr auto kWaitSlice = std::chrono::milliseconds(5);

// Characters, not bytes, set the limit: Czech letters take two bytes in UTF-8.
std::size_t Characters(std::string_view utf8) {
    std::size_t count = 0;
    for (const char c : utf8) {
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++count;
    }
    return count;
}

}  // namespace

void ServiceSpeech::SetLetterVoices(std::string maleId, std::string femaleId) {
    maleVoice_ = std::move(maleId);
    femaleVoice_ = std::move(femaleId);
}

std::string_view ServiceSpeech::Words(std::string_view text) {
    if (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    // A text of blanks has no words; speaking it would only cut off what is heard.
    if (text.find_first_not_of(' ') == std::string_view::npos) return {};
    return text;
}

void ServiceSpeech::SayPhrase(std::string_view voice, std::string_view text, std::uint8_t variant) {
    if (!soundsOn_) return;
    if (voice.empty()) {
        // An effect cuts off the words still being spoken, as one sound cuts off another.
        if (service_.Speaking()) service_.Stop();
        effects_.SayPhrase(voice, text, variant);
        return;
    }
    const std::string_view words = Words(text);
    if (words.empty()) return;
    Speak(voice, words);
    WaitUntilSpoken(Characters(words));
}

void ServiceSpeech::StartPhrase(std::string_view voice, std::string_view text, std::uint8_t variant) {
    if (!soundsOn_) return;
    if (voice.empty()) {
        if (service_.Speaking()) service_.Stop();
        effects_.StartPhrase(voice, text, variant);
        return;
    }
    const std::string_view words = Words(text);
    if (words.empty()) return;
    service_.Stop();
    Speak(voice, words);
}

void ServiceSpeech::SayNumber(std::string_view voice, std::int32_t number, bool sayZero) {
    if (number == 0 && !sayZero) return;
    SayPhrase(voice, std::to_string(number), kPlainVariant);
}

void ServiceSpeech::SayWhoLeads(std::string_view voice, const MatchStanding& standing) {
    SayPhrase(voice, WhoLeadsText(standing), kPlainVariant);
}

void ServiceSpeech::Speak(std::string_view voice, std::string_view words) {
    ChooseVoice(voice);
    service_.Say(words);
}

void ServiceSpeech::ChooseVoice(std::string_view voice) {
    const bool female = voice == "z";
    const std::string& wanted = female ? femaleVoice_ : maleVoice_;
    const std::string& other = female ? maleVoice_ : femaleVoice_;
    if (!wanted.empty() && service_.UseVoice(wanted)) return;
    if (!other.empty()) service_.UseVoice(other);
}

void ServiceSpeech::WaitUntilSpoken(std::size_t characters) {
    struct Holding {
        bool& flag;
        explicit Holding(bool& f) : flag(f) { flag = true; }
        ~Holding() { flag = false; }
    } holding(holdingGame_);
    const auto deadline = now_() + limit_.base + limit_.perCharacter * static_cast<long>(characters);
    while (service_.Speaking()) {
        if (now_() >= deadline) {
            // The service never told the end: the game goes on, and the next phrase
            // is not spoken over this one.
            service_.Stop();
            return;
        }
        if (whileWaiting_) whileWaiting_();
        std::this_thread::sleep_for(kWaitSlice);
    }
}

}  // namespace tarvel

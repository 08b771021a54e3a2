// What the table's tests share: a fresh folder for the file, a speech port that
// writes down what it is asked to say, and entries made in one line.
#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "session/scores/score_entry.h"
#include "engine/speech_port.h"

namespace tarvel::testing {

class ScoreFolder {
  public:
    ScoreFolder() {
        std::random_device random;
        folder_ = std::filesystem::temp_directory_path() / ("tarvel-scores-" + std::to_string(random()));
        std::filesystem::create_directories(folder_);
    }
    ~ScoreFolder() {
        std::error_code error;
        std::filesystem::remove_all(folder_, error);
    }
    ScoreFolder(const ScoreFolder&) = delete;
    ScoreFolder& operator=(const ScoreFolder&) = delete;

    const std::filesystem::path& Path() const { return folder_; }
    std::filesystem::path File() const { return folder_ / "tarvel.tab"; }

    void Put(const std::string& bytes) const { std::ofstream(File(), std::ios::binary) << bytes; }
    std::string Bytes() const {
        std::ifstream in(File(), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    std::size_t Entries() const {
        return static_cast<std::size_t>(
            std::distance(std::filesystem::directory_iterator(folder_), std::filesystem::directory_iterator()));
    }

  private:
    std::filesystem::path folder_;
};

// "m|jeden bod|1" for a phrase, "m|#7" for a number with zero spoken, "m|#0 silent" without.
class RecordingSpeech : public SpeechPort {
  public:
    std::vector<std::string> said;

    void SayPhrase(std::string_view voice, std::string_view text, std::uint8_t variant) override {
        said.push_back(std::string(voice) + "|" + std::string(text) + "|" + std::to_string(variant));
    }
    void StartPhrase(std::string_view voice, std::string_view text, std::uint8_t variant) override {
        said.push_back("start " + std::string(voice) + "|" + std::string(text) + "|" + std::to_string(variant));
    }
    void SayNumber(std::string_view voice, std::int32_t number, bool sayZero) override {
        said.push_back(std::string(voice) + "|#" + std::to_string(number) + (sayZero ? "" : " silent"));
    }
    void SayWhoLeads(std::string_view voice, const MatchStanding&) override {
        said.push_back("leads " + std::string(voice));
    }
    bool SoundsOn() const override { return true; }
};

inline ScoreEntry Entry(std::string_view name, std::int32_t score, double moment = 0.0) {
    return ScoreEntry{TableNameFromText(name), score, moment};
}

// The bytes written as hex pairs, blanks ignored: "5a 5b 5c".
inline std::string HexBytes(std::string_view hex) {
    std::string bytes;
    for (std::size_t i = 0; i < hex.size();) {
        if (hex[i] == ' ') {
            ++i;
            continue;
        }
        bytes.push_back(static_cast<char>(std::stoi(std::string(hex.substr(i, 2)), nullptr, 16)));
        i += 2;
    }
    return bytes;
}

}  // namespace tarvel::testing

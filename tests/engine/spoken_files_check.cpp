// After all tests of the program: every phrase the engine asked for names a recording
// that the voice pack generator makes. A phrase missing there would be silence.
#include <gtest/gtest.h>

#include "session/speech/phrase_inventory.h"
#include "tests/engine/recording_presentation.h"
#include "session/speech/sound_file_name.h"

namespace tarvel::testing {
namespace {

class SpokenFilesCheck : public ::testing::Environment {
  public:
    void TearDown() override {
        for (const auto& phrase : AllSpokenPhrases()) {
            for (const auto& suffix : AllVariantSuffixes(phrase.variant)) {
                const std::string file = SoundFileName(phrase.voice, phrase.text, suffix);
                EXPECT_TRUE(InventoryHasFile(file)) << "no recording " << file << " for \"" << phrase.text
                                                    << "\" in voice \"" << phrase.voice << "\"";
            }
        }
    }
};

const auto* const kCheck = ::testing::AddGlobalTestEnvironment(new SpokenFilesCheck);

}  // namespace
}  // namespace tarvel::testing

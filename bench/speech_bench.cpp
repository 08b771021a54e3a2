// Time from StartPhrase to the samples being queued on the sound device, with the
// recording decoded before (cached) and read from its file (uncached). Runs on SDL's
// dummy driver, so no sound card is needed; the device work is the same.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <memory>

#include "client/speech/phrase_player.h"
#include "common/random_source.h"
#include "client/speech/sdl_audio_backend.h"
#include "tests/speech/wav_fixture.h"

namespace tarvel {
namespace {

namespace fs = std::filesystem;

// A game folder with two card recordings of a typical phrase's length: one already in
// the device's format and one that must be resampled.
class SpeechBench {
  public:
    SpeechBench() {
        folder_ = fs::temp_directory_path() / "tarvel-speech-bench";
        fs::create_directories(folder_ / "zvuky");
        fs::current_path(folder_);
        WriteToneWav("zvuky/m7 srdcova1.wav", 1.2, 22050);
        WriteToneWav("zvuky/m8 srdcova1.wav", 1.2, 48000);
        ::setenv("SDL_AUDIODRIVER", "dummy", 0);
        std::string error;
        audio_ = SdlAudioBackend::Open(error);
        if (!audio_) std::cerr << "no sound device: " << error << '\n';
        player_ = std::make_unique<PhrasePlayer>(*audio_, random_);
    }
    ~SpeechBench() { fs::remove_all(folder_); }

    SdlAudioBackend& audio() { return *audio_; }
    PhrasePlayer& player() { return *player_; }

  private:
    fs::path folder_;
    std::unique_ptr<SdlAudioBackend> audio_;
    StandardRandom random_{1};
    std::unique_ptr<PhrasePlayer> player_;
};

SpeechBench& Bench() {
    static SpeechBench bench;
    return bench;
}

void BM_StartPhraseCached(benchmark::State& state) {
    auto& bench = Bench();
    bench.player().StartPhrase("m", "7 srdcová", 11);
    for (auto _ : state) bench.player().StartPhrase("m", "7 srdcová", 11);
}
BENCHMARK(BM_StartPhraseCached)->Unit(benchmark::kMicrosecond);

void StartUncached(benchmark::State& state, const char* card) {
    auto& bench = Bench();
    for (auto _ : state) {
        state.PauseTiming();
        bench.audio().ForgetDecodedSounds();
        state.ResumeTiming();
        bench.player().StartPhrase("m", card, 11);
    }
}

void BM_StartPhraseUncached(benchmark::State& state) {
    StartUncached(state, "7 srdcová");
}
BENCHMARK(BM_StartPhraseUncached)->Unit(benchmark::kMicrosecond);

void BM_StartPhraseUncachedResampled(benchmark::State& state) {
    StartUncached(state, "8 srdcová");
}
BENCHMARK(BM_StartPhraseUncachedResampled)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tarvel

BENCHMARK_MAIN();

#include "client/speech/sdl_audio_backend.h"

namespace tarvel {
namespace {

// The voice pack is 22.05 kHz 16-bit mono. The device is opened in that format, SDL
// converting to the hardware's own as it plays, so decoded sounds stay as small as
// their files and a recording of the pack is queued without any conversion.
constexpr int kWantedFrequency = 22050;
constexpr Uint16 kWantedBufferSamples = 512;
// Time a waited-for phrase may run past its length before the device is given up on.
constexpr auto kStallAllowance = std::chrono::seconds(2);

struct WavBuffer {
    Uint8* data = nullptr;
    ~WavBuffer() { SDL_FreeWAV(data); }
};

struct StreamDeleter {
    void operator()(SDL_AudioStream* stream) const { SDL_FreeAudioStream(stream); }
};

}  // namespace

std::unique_ptr<SdlAudioBackend> SdlAudioBackend::Open(std::string& error) {
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        error = SDL_GetError();
        return nullptr;
    }
    SDL_AudioSpec wanted{};
    wanted.freq = kWantedFrequency;
    wanted.format = AUDIO_S16SYS;
    wanted.channels = 1;
    wanted.samples = kWantedBufferSamples;
    SDL_AudioSpec obtained{};
    const SDL_AudioDeviceID device = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, 0);
    if (device == 0) {
        error = SDL_GetError();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return nullptr;
    }
    SDL_PauseAudioDevice(device, 0);
    return std::unique_ptr<SdlAudioBackend>(new SdlAudioBackend(device, obtained));
}

SdlAudioBackend::SdlAudioBackend(SDL_AudioDeviceID device, const SDL_AudioSpec& spec)
    : device_(device), spec_(spec) {}

SdlAudioBackend::~SdlAudioBackend() {
    SDL_CloseAudioDevice(device_);
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

void SdlAudioBackend::Start(const std::string& path, Playback) {
    SDL_ClearQueuedAudio(device_);
    playing_ = false;
    drainedAt_.reset();
    const std::vector<std::uint8_t>* samples = Decoded(path);
    if (samples == nullptr || samples->empty()) return;
    if (SDL_QueueAudio(device_, samples->data(), static_cast<Uint32>(samples->size())) != 0) return;
    playing_ = true;
    giveUpAt_ = Clock::now() + DurationOf(samples->size()) + kStallAllowance;
}

bool SdlAudioBackend::IsPlaying() {
    if (!playing_) return false;
    const auto now = Clock::now();
    if (now >= giveUpAt_) {
        SDL_ClearQueuedAudio(device_);
        playing_ = false;
        return false;
    }
    if (SDL_GetQueuedAudioSize(device_) > 0) return true;
    if (!drainedAt_) drainedAt_ = now;
    const auto deviceBuffer = DurationOf(spec_.size);
    playing_ = now < *drainedAt_ + deviceBuffer;
    return playing_;
}

const std::vector<std::uint8_t>* SdlAudioBackend::Decoded(const std::string& path) {
    if (const auto found = decoded_.find(path); found != decoded_.end()) return &found->second;
    // A missing file is not remembered, so a recording added while the game runs is
    // heard the next time.
    auto samples = DecodeFile(path);
    if (!samples) return nullptr;
    return &decoded_.emplace(path, std::move(*samples)).first->second;
}

std::optional<std::vector<std::uint8_t>> SdlAudioBackend::DecodeFile(const std::string& path) const {
    SDL_AudioSpec source{};
    WavBuffer wav;
    Uint32 length = 0;
    if (SDL_LoadWAV(path.c_str(), &source, &wav.data, &length) == nullptr) return std::nullopt;

    const std::unique_ptr<SDL_AudioStream, StreamDeleter> stream(SDL_NewAudioStream(
        source.format, source.channels, source.freq, spec_.format, spec_.channels, spec_.freq));
    if (!stream) return std::nullopt;
    if (SDL_AudioStreamPut(stream.get(), wav.data, static_cast<int>(length)) != 0 ||
        SDL_AudioStreamFlush(stream.get()) != 0) {
        return std::nullopt;
    }
    std::vector<std::uint8_t> samples(static_cast<std::size_t>(SDL_AudioStreamAvailable(stream.get())));
    const int got = SDL_AudioStreamGet(stream.get(), samples.data(), static_cast<int>(samples.size()));
    if (got < 0) return std::nullopt;
    samples.resize(static_cast<std::size_t>(got));
    return samples;
}

SdlAudioBackend::Clock::duration SdlAudioBackend::DurationOf(std::size_t bytes) const {
    const std::size_t bytesPerSecond =
        static_cast<std::size_t>(spec_.freq) * spec_.channels * (SDL_AUDIO_BITSIZE(spec_.format) / 8);
    if (bytesPerSecond == 0) return Clock::duration::zero();
    return std::chrono::duration_cast<Clock::duration>(std::chrono::microseconds(
        static_cast<std::int64_t>(bytes) * 1'000'000 / static_cast<std::int64_t>(bytesPerSecond)));
}

}  // namespace tarvel

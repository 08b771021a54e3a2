// Writes small WAV files (16-bit mono tone) for tests and benchmarks of the players.
#pragma once

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace tarvel {

inline void WriteToneWav(const std::filesystem::path& path, double seconds, std::uint32_t rate = 22050) {
    const auto frames = static_cast<std::uint32_t>(seconds * rate);
    std::vector<std::int16_t> samples(frames);
    for (std::uint32_t i = 0; i < frames; ++i) {
        samples[i] = static_cast<std::int16_t>(8000 * std::sin(2 * 3.14159265 * 440 * i / rate));
    }
    const std::uint32_t dataBytes = frames * 2;
    std::ofstream out(path, std::ios::binary);
    const auto u32 = [&](std::uint32_t v) { out.write(reinterpret_cast<const char*>(&v), 4); };
    const auto u16 = [&](std::uint16_t v) { out.write(reinterpret_cast<const char*>(&v), 2); };
    out.write("RIFF", 4);
    u32(36 + dataBytes);
    out.write("WAVEfmt ", 8);
    u32(16);
    u16(1);  // PCM
    u16(1);  // mono
    u32(rate);
    u32(rate * 2);
    u16(2);
    u16(16);
    out.write("data", 4);
    u32(dataBytes);
    out.write(reinterpret_cast<const char*>(samples.data()), dataBytes);
}

}  // namespace tarvel

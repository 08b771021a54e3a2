// Runs the fuzz target without libFuzzer: over the seeds made from the scripted
// matches and over every file or folder named. With "--write-seeds DIR" it writes
// those seeds as files for a fuzzing run to start from.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "tests/fuzz/server_fuzz_target.h"

namespace {

void RunFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    tarvel::server::fuzzing::RunInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
}

}  // namespace

int main(int argc, char* argv[]) {
    namespace fs = std::filesystem;
    int runs = 0;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--write-seeds" && i + 1 < argc) {
            const fs::path folder = argv[++i];
            fs::create_directories(folder);
            for (const auto& [name, input] : tarvel::server::fuzzing::SeedsFromScripts()) {
                std::ofstream(folder / ("script-" + name), std::ios::binary) << input;
            }
            continue;
        }
        if (fs::is_directory(arg)) {
            for (const auto& entry : fs::directory_iterator(arg)) {
                if (entry.is_regular_file()) RunFile(entry.path()), ++runs;
            }
        } else {
            RunFile(arg);
            ++runs;
        }
    }
    for (const auto& [name, input] : tarvel::server::fuzzing::SeedsFromScripts()) {
        tarvel::server::fuzzing::RunInput(reinterpret_cast<const std::uint8_t*>(input.data()), input.size());
        ++runs;
    }
    std::printf("%d inputs ran without a fault\n", runs);
    return 0;
}

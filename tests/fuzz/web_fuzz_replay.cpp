// Runs the web fuzz target without libFuzzer over its seeds and every file of the
// folders named; with "--write-seeds DIR" it writes the seeds for a fuzzing run.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "tests/fuzz/web_fuzz_target.h"

namespace {

void Run(const std::string& bytes) {
    tarvel::web_fuzzing::RunInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
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
            for (const auto& [name, input] : tarvel::web_fuzzing::Seeds()) {
                std::ofstream(folder / ("seed-" + name), std::ios::binary) << input;
            }
            continue;
        }
        if (!fs::is_directory(arg)) continue;
        for (const auto& entry : fs::directory_iterator(arg)) {
            if (!entry.is_regular_file()) continue;
            std::ifstream in(entry.path(), std::ios::binary);
            Run(std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>()));
            ++runs;
        }
    }
    for (const auto& [name, input] : tarvel::web_fuzzing::Seeds()) {
        Run(input);
        ++runs;
    }
    std::printf("%d inputs ran without a fault\n", runs);
    return 0;
}

// libFuzzer's entry point for what peers send tarvelweb.
#include "tests/fuzz/web_fuzz_target.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    tarvel::web_fuzzing::RunInput(data, size);
    return 0;
}

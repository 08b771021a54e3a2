// libFuzzer's entry point.
#include "tests/fuzz/server_fuzz_target.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    tarvel::server::fuzzing::RunInput(data, size);
    return 0;
}

// libFuzzer's entry point for the client's handling of server messages.
#include "tests/fuzz/client_fuzz_target.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    tarvel::client_fuzzing::RunInput(data, size);
    return 0;
}

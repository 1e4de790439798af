// One libFuzzer program: VANTORRA_FUZZ_BODY names the body it runs.
#include <cstddef>
#include <cstdint>

#include "fuzz/targets.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return fuzz::VANTORRA_FUZZ_BODY(data, size);
}

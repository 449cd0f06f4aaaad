// One libFuzzer target: VELMORA_FUZZ_CHECK names the check of FuzzChecks.h
// it runs. A broken property is printed and aborts, which libFuzzer reports
// as a finding and saves the input.
#include "FuzzChecks.h"

#include <cstdio>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string fault = VELMORA_FUZZ_CHECK(data, size);
    if (!fault.empty()) {
        std::fprintf(stderr, "property broken: %s\n", fault.c_str());
        std::abort();
    }
    return 0;
}

// make-bench-midi: writes one generated benchmark file (see BenchMidi.h).
//   make-bench-midi NOTES FILE [SEED]
#include "tools/WriteBytes.h"
#include "tools/bench/BenchMidi.h"

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    if (argc < 3 || argc > 4) {
        std::fprintf(stderr, "usage: make-bench-midi NOTES FILE [SEED]\n");
        return 2;
    }
    char* end = nullptr;
    const unsigned long long notes = std::strtoull(argv[1], &end, 10);
    if (*end != '\0' || notes == 0 || notes > 20000000ull) {
        std::fprintf(stderr, "make-bench-midi: NOTES must be 1 to 20000000\n");
        return 2;
    }
    unsigned long seed = 1;
    if (argc == 4) {
        seed = std::strtoul(argv[3], &end, 10);
        if (*end != '\0') {
            std::fprintf(stderr, "make-bench-midi: SEED must be a number\n");
            return 2;
        }
    }
    const std::vector<uint8_t> bytes = MakeBenchMidi(static_cast<size_t>(notes), static_cast<uint32_t>(seed));
    if (!WriteBytes(argv[2], bytes.data(), bytes.size())) {
        std::fprintf(stderr, "make-bench-midi: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}

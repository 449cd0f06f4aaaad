#pragma once
// velmora-encode run in-process, with its standard input, output and
// messages in files, and a small song to encode.
#include "support/TestFiles.h"
#include "cli/EncodeCommand.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

inline std::string Text(const Bytes& b) { return std::string(b.begin(), b.end()); }
inline size_t Lines(const std::string& text) { return size_t(std::count(text.begin(), text.end(), '\n')); }

struct Encoding {
    explicit Encoding(const std::vector<std::string>& args, const Bytes& input = Bytes{})
    {
        const TempFile in(input, "in.bin"), outFile(Bytes{}, "out.txt"), errFile(Bytes{}, "err.txt");
        std::FILE* i = std::fopen(in.path().c_str(), "rb");
        std::FILE* o = std::fopen(outFile.path().c_str(), "wb");
        std::FILE* e = std::fopen(errFile.path().c_str(), "wb");
        EncodeCommand command;
        command.setInput(i);
        status = command.run(args, o, e);
        for (std::FILE* f : {i, o, e}) std::fclose(f);
        output = Text(ReadAll(outFile.path()));
        errors = Text(ReadAll(errFile.path()));
    }
    int status;
    std::string output, errors;
};

// A quarter on channel 0 and a longer note on channel 2, named `name`.
inline Bytes Song(const Bytes& name = {'T', 'u', 'n', 'e'})
{
    return SmfWithTrack(Cat({{0x00, 0xFF, 0x03, static_cast<uint8_t>(name.size())}, name,
                             {0x00, 0xFF, 0x02, 0x03, '(', 'C', ')', 0x00, 0x90, 60, 100, 0x00, 0x92, 64, 64},
                             {0x83, 0x60, 0x90, 60, 0, 0x14, 0x92, 64, 0, 0x00, 0xFF, 0x2F, 0x00}}));
}

const std::string kChannel0 = "\tdb\t60,$AC\t\t;00 060 00480 100\r\n";
const std::string kChannel2 = "\tdb\t64,$08,$A6,$0E\t;02 064 00500 064\r\n";

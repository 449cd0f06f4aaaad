// The checks the fuzz targets run, on the saved fuzz inputs and on damaged
// files built here: the reader against the plain model of its rules, the
// note lists against the reference, the encoder and the paths against their
// properties.
#include "FuzzChecks.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;

namespace {

void ReplayFolder(const char* target, std::string (*check)(const uint8_t*, size_t))
{
    const fs::path folder = fs::path(VELMORA_FUZZ_REGRESSIONS_DIR) / target;
    int replayed = 0;
    std::error_code ec;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, ec)) {
        const Bytes input = ReadAll(entry.path().string());
        EXPECT_EQ("", check(input.data(), input.size())) << entry.path().filename().string();
        ++replayed;
    }
    EXPECT_GT(replayed, 0) << "no saved inputs in " << folder.string();
}

// A format 0 file whose track holds every kind of event, with delta-times
// and lengths of one to four bytes, and a note after the end of the track.
Bytes EveryKindOfEvent()
{
    Bytes sysex(130);  // a two-byte sysex length
    for (size_t i = 0; i < sysex.size(); ++i) sysex[i] = uint8_t(i & 0x7F);
    return SmfWithTrack(Cat({
        Meta(0, 0x00, "\x05\x07"), Meta(0, 0x01, "text"), Meta(0, 0x02, std::string(130, 'c')),
        Meta(0, 0x03, "first"), Meta(5, 0x05, "la"), Meta(0, 0x51, "\x07\xA1\x20"), Meta(0, 0x58, "\x04\x02\x18\x08"),
        Event(128, {0xF0}), VarLen(130), sysex, Event(0, {0xF7, 0x02, 0x01, 0x02}),
        Event(480, {0x90, 0x3C, 0x64}), Event(0, {0xC0, 0x05}), Event(0, {0xD1, 0x40}), Event(7, {0xE1, 0x00, 0x40}),
        Event(0, {0x3C}),  // a data byte where a status belongs
        Event(0, {0xB0, 0x07, 0x64}), Event(20000, {0x81, 0x3C, 0x00}), Meta(0, 0x03, "second"),
        Event(0x0FFFFFFF, {0x9F, 0x7F, 0x01}), Event(0, {0xFF, 0x2F, 0x00}), Event(0, {0x90, 0x40, 0x40}),
    }));
}

}  // namespace

TEST(FuzzRegressions, SavedReaderInputsKeepEveryProperty)
{
    ReplayFolder("smf", CheckSmfInput);
}

TEST(FuzzRegressions, SavedEncoderInputsKeepEveryProperty)
{
    ReplayFolder("encoder", CheckEncoderInput);
}

TEST(FuzzRegressions, SavedPathInputsKeepEveryProperty)
{
    ReplayFolder("paths", CheckPathInput);
}

TEST(FuzzRegressions, EveryPrefixOfAFileOfEveryEventKindKeepsEveryProperty)
{
    const Bytes file = EveryKindOfEvent();
    for (size_t size = 0; size <= file.size(); ++size) ASSERT_EQ("", CheckSmfInput(file.data(), size)) << size;
}

TEST(FuzzRegressions, LengthsFarPastTheEndKeepEveryProperty)
{
    const Bytes note{0x00, 0x90, 0x3C, 0x40};
    std::vector<Bytes> inputs;
    // Lengths whose sums with the position would wrap in 32 bits and land
    // on the note that follows.
    for (const Bytes& length : {Bytes{0x8F, 0xFF, 0xFF, 0xFF, 0x7F}, Bytes{0x8F, 0xFF, 0xFF, 0xFF, 0x7E},
                                Bytes{0x8F, 0xFF, 0xFF, 0xFF, 0x7C}})
        for (const Bytes& start : {Bytes{0x00, 0xF0}, Bytes{0x00, 0xF7}, Bytes{0x00, 0xFF, 0x01},
                                   Bytes{0x00, 0xFF, 0x51}, Bytes{0x00, 0xFF, 0x7F}})
            inputs.push_back(SmfWithTrack(Cat({start, length, note, note, note})));
    // Chunk lengths far past the end and ending inside the first event do
    // not bound reading; header lengths past the end fail to open.
    for (uint8_t last : {0xFF, 0x01}) {
        Bytes file = SmfWithTrack(Cat({note, note}));
        file[18] = file[19] = file[20] = last == 0xFF ? 0xFF : 0x00;
        file[21] = last;
        inputs.push_back(file);
    }
    for (uint32_t length : {7u, 100u, 0x7FFFFFFFu, 0xFFFFFFF8u, 0xFFFFFFFFu}) {
        Bytes file = SmfWithTrack(note);
        for (int i = 0; i < 4; ++i) file[4 + i] = uint8_t(length >> (24 - 8 * i));
        inputs.push_back(file);
    }
    for (const Bytes& input : inputs) EXPECT_EQ("", CheckSmfInput(input.data(), input.size()));
}

// The fuzz targets' checks (the reader against the plain model of its rules,
// the note lists against the reference, the encoder and the paths against
// their properties) on the saved fuzz inputs and on files built here.
#include "FuzzChecks.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;

namespace {

void ReplayFolder(const char* target, std::string (*check)(const uint8_t*, size_t))
{
    int replayed = 0;
    for (const auto& entry : fs::directory_iterator(fs::path(VELMORA_FUZZ_REGRESSIONS_DIR) / target)) {
        const Bytes input = ReadAll(entry.path().string());
        EXPECT_EQ("", check(input.data(), input.size())) << entry.path().string();
        ++replayed;
    }
    EXPECT_GT(replayed, 0) << "no saved inputs for " << target;
}

// A format 0 file whose track holds every kind of event, with delta-times
// and lengths of one to four bytes, and a note after the end of the track.
Bytes EveryKindOfEvent()
{
    return SmfWithTrack(Cat({
        Meta(0, 0x00, "\x05\x07"), Meta(0, 0x01, "text"), Meta(0, 0x02, std::string(130, 'c')),
        Meta(0, 0x03, "first"), Meta(5, 0x05, "la"), Meta(0, 0x51, "\x07\xA1\x20"), Meta(0, 0x58, "\x04\x02\x18\x08"),
        Event(128, {0xF0}), VarLen(130), Bytes(130, 0x15), Event(0, {0xF7, 0x02, 0x01, 0x02}),  // two-byte length
        Event(480, {0x90, 0x3C, 0x64}), Event(0, {0xC0, 0x05}), Event(0, {0xD1, 0x40}), Event(7, {0xE1, 0x00, 0x40}),
        Event(0, {0x3C}),  // a data byte where a status belongs
        Event(0, {0xB0, 0x07, 0x64}), Event(20000, {0x81, 0x3C, 0x00}), Meta(0, 0x03, "second"),
        Event(0x0FFFFFFF, {0x9F, 0x7F, 0x01}), Event(0, {0xFF, 0x2F, 0x00}), Event(0, {0x90, 0x40, 0x40}),
    }));
}

}  // namespace

TEST(FuzzRegressions, SavedInputsKeepEveryProperty)
{
    ReplayFolder("smf", CheckSmfInput);
    ReplayFolder("encoder", CheckEncoderInput);
    ReplayFolder("paths", CheckPathInput);
}

TEST(FuzzRegressions, EveryPrefixOfAFileOfEveryEventKindKeepsEveryProperty)
{
    const Bytes file = EveryKindOfEvent();
    for (size_t size = 0; size <= file.size(); ++size) ASSERT_EQ("", CheckSmfInput(file.data(), size)) << size;
}

// Lengths whose sums with the position would wrap in 32 bits and land on
// the note that follows.
TEST(FuzzRegressions, LengthsThatWouldWrapKeepEveryProperty)
{
    const Bytes note{0x00, 0x90, 0x3C, 0x40};
    for (uint8_t last : {0x7F, 0x7E, 0x7C}) {
        for (const Bytes& start : {Bytes{0x00, 0xF0}, Bytes{0x00, 0xF7}, Bytes{0x00, 0xFF, 0x01},
                                   Bytes{0x00, 0xFF, 0x51}, Bytes{0x00, 0xFF, 0x7F}}) {
            const Bytes input = SmfWithTrack(Cat({start, {0x8F, 0xFF, 0xFF, 0xFF, last}, note, note, note}));
            EXPECT_EQ("", CheckSmfInput(input.data(), input.size())) << int(last);
        }
    }
}

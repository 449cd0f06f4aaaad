// The fuzz targets' checks (the reader and complete reading against the plain
// models of their rules, the note lists against the reference, the encoder
// and the paths against their properties) on the saved fuzz inputs, on real
// files and on files built here.
#include "FuzzChecks.h"
#include "core/encode/CompiledFormat.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <random>

namespace fs = std::filesystem;

TEST(FuzzRegressions, SavedInputsKeepEveryProperty)
{
    for (const auto& target : {std::make_pair("smf", CheckSmfInput), std::make_pair("encoder", CheckEncoderInput),
                               std::make_pair("paths", CheckPathInput)}) {
        int replayed = 0;
        for (const auto& entry : fs::directory_iterator(fs::path(VELMORA_FUZZ_REGRESSIONS_DIR) / target.first)) {
            const Bytes input = ReadAll(entry.path().string());
            EXPECT_EQ("", target.second(input.data(), input.size())) << entry.path().string();
            ++replayed;
        }
        EXPECT_GT(replayed, 0) << "no saved inputs for " << target.first;
    }
}

// Files written by other software, the project's samples among them; the
// "Bad" ones of the test data are no MIDI files, as the model agrees.
TEST(FuzzRegressions, RealFilesKeepEveryProperty)
{
    int files = 0, format1 = 0;
    for (const std::string& dir : {TestDataDir(), SamplesDir()})
        for (const auto& entry : fs::directory_iterator(dir)) {
            const std::string ext = entry.path().extension().string();
            if (ext != ".mid" && ext != ".midi" && ext != ".kar") continue;
            const Bytes file = ReadAll(entry.path().string());
            EXPECT_EQ("", CheckSmfInput(file.data(), file.size())) << entry.path().string();
            ++files;
            format1 += file.size() > 9 && file[8] == 0 && file[9] == 1;
        }
    EXPECT_GE(files, 15);
    EXPECT_GE(format1, 5);  // complete reading merges real tracks
}

// Random tracks of note-ons, note-offs, texts, keys 0 and 0x80 and above,
// delta-times of 0, 1 (a rest that may scale to 0) and up to huge, and a
// random end, at several divisions.
TEST(FuzzRegressions, RandomTracksKeepEveryProperty)
{
    const uint16_t kDivisions[] = {96, 89, 960, 480, 0, 0xE728};
    std::mt19937 random(20261206);
    for (int round = 0; round < 60; ++round) {
        Bytes track;
        for (int i = 50 + static_cast<int>(random() % 400); i > 0; --i) {
            const uint32_t kind = random() % 10, delta = random() % 4 ? random() % (random() % 3 ? 500 : ~0u) : random() % 2;
            const uint8_t channel = static_cast<uint8_t>(random() % 4 * (random() % 2 ? 5 : 1) % 16);
            const uint8_t key = static_cast<uint8_t>(random() % 8 + (random() % 50 == 0 ? 0x80 : random() % 2 * 40));
            const uint8_t velocity = static_cast<uint8_t>(kind < 5 ? 1 + random() % 127 : 0);
            if (kind < 8) track = Cat({track, Event(delta, {uint8_t(0x90 | channel), key, velocity})});
            else if (kind == 8) track = Cat({track, Event(delta, {uint8_t(0x80 | channel), uint8_t(key & 0x7F), 0})});
            else track = Cat({track, Meta(delta, 0x01, "x")});
        }
        Bytes file = SmfWithTrack(Cat({track, Event(random() % 1000, {0xFF, 0x2F, 0x00})}));
        const uint16_t division = kDivisions[round % 6];  // normalised reading scales all but the last three
        file[12] = uint8_t(division >> 8);
        file[13] = uint8_t(division);
        ASSERT_EQ("", CheckSmfInput(file.data(), file.size())) << round;
    }
}

// A file of every event kind, and files of lengths whose sums with the
// position would wrap in 32 bits and land on the note that follows.
TEST(FuzzRegressions, EveryPrefixOfAFileOfEveryEventKindOrOfLengthsThatWouldWrapKeepsEveryProperty)
{
    std::vector<Bytes> files = {EveryEventKindFile()};
    const Bytes note{0x00, 0x90, 0x3C, 0x40};
    for (uint8_t last : {0x7F, 0x7E, 0x7C})
        for (const Bytes& start : {Bytes{0x00, 0xF0}, Bytes{0x00, 0xF7}, Bytes{0x00, 0xFF, 0x01},
                                   Bytes{0x00, 0xFF, 0x51}, Bytes{0x00, 0xFF, 0x7F}})
            files.push_back(SmfWithTrack(Cat({start, {0x8F, 0xFF, 0xFF, 0xFF, last}, note, note, note})));
    for (const Bytes& file : files)
        for (size_t size = 0; size <= file.size(); ++size)
            ASSERT_EQ("", CheckSmfInput(file.data(), size)) << "file " << &file - files.data() << ", size " << size;
}

// Random formats of text, "%%" and conversions, either only of the forms that
// CompiledFormat lays out itself (the first half of each list) or of every
// kind the formatter knows, with random and missing arguments.
TEST(FuzzRegressions, RandomFormatsKeepEveryProperty)
{
    static const std::vector<std::vector<std::string>> kParts = {
        {"", "-", "0", "-0", "", "#", "#0", "-#0", "0-", "0"},
        {"", "1", "2", "5", "8", "12", "", "3", "9", "40", "255", "99999"},
        {"", ".", ".3", ".7", ".12", ".0", "", ".200"},
        {"", "l", "h", "w", "", "I64", "I32", "I"},
        {"d", "i", "u", "x", "X", "d", "X", "c", "s", "p", "z", "C", "%", ""},
    };
    static const int32_t kValues[] = {0,     INT32_MIN, INT32_MAX, -1,         -999,        9,         10,
                                      99999, 100000,    99999999,  100000000,  0xFFFF,      0x10000,   0xFFFFFFF,
                                      0x10000000, 4095, 255,       256,        -10,         1000};
    std::mt19937 random(5150);
    int compiled = 0;
    for (int i = 0; i < 20000; ++i) {
        std::string formats[2];
        for (std::string& format : formats) {
            const bool simple = random() % 2 == 0;
            format = random() % 10 ? "" : std::string(200 + random() % 60, '-');  // near the line's end
            for (int pieces = 1 + static_cast<int>(random() % 9); pieces > 0; --pieces) {
                if (random() % 3 == 0) {
                    format += random() % 4 ? "\tdb\t,$" : "%%";
                    continue;
                }
                format += '%';
                for (const auto& part : kParts) format += part[random() % (simple ? part.size() / 2 : part.size())];
            }
            compiled += CompiledFormat(format).compiled();
        }
        int32_t args[8];
        for (int32_t& a : args) a = random() % 3 ? kValues[random() % 20] : static_cast<int32_t>(random());
        const std::string input = EncoderInput(args, random() % 9, static_cast<uint8_t>(random()), formats[0],
                                               formats[1], "", "", "");
        ASSERT_EQ("", CheckEncoderInput(reinterpret_cast<const uint8_t*>(input.data()), input.size()))
            << "\"" << formats[0] << "\" and \"" << formats[1] << '"';
    }
    // Both ways of formatting were taken, often.
    EXPECT_GT(compiled, 40000 / 4);
    EXPECT_LT(compiled, 40000 * 9 / 10);
}

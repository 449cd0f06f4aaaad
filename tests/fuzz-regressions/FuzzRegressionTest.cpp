// Replays the saved fuzz inputs through the checks the fuzz targets run.
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

#pragma once
// Files written for one test, and where the shared test data lie. MIDI bytes
// come from the builders of tools/SmfTrackWriter.h.
#include "tools/SmfTrackWriter.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

// A file in the test's own temporary folder, deleted with the object.
class TempFile {
public:
    explicit TempFile(const Bytes& content, const std::string& name = "test.mid");
    ~TempFile();
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

std::string TestDataDir();  // the shared real-world MIDI files
std::string SamplesDir();   // the project's samples
Bytes ReadAll(const std::string& path);  // empty when it cannot be read

// A reader (a class derived from SmfFile) opened on bytes it keeps in memory.
template <typename Reader>
struct ReaderOn : Reader {
    explicit ReaderOn(Bytes data) : bytes(std::move(data))
    {
        EXPECT_EQ(0u, this->openMemory("test.mid", bytes.data(), static_cast<uint32_t>(bytes.size())));
    }
    Bytes bytes;
};

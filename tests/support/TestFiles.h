#pragma once
// Test helpers: files written for one test, and where the shared test data
// lie. MIDI bytes are built with the builders of tools/SmfTrackWriter.h.
#include "tools/SmfTrackWriter.h"

#include <string>

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

// The folder of the shared real-world MIDI files, and the project's samples.
std::string TestDataDir();
std::string SamplesDir();
// The bytes of a file (empty when it cannot be read).
Bytes ReadAll(const std::string& path);

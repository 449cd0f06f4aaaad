#pragma once
// Test helpers: MIDI bytes built inline, and files written for one test.
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

using Bytes = std::vector<uint8_t>;

// A standard header chunk (format, tracks, division 480).
Bytes HeaderChunk(uint16_t format = 0, uint16_t tracks = 1, uint16_t division = 480);
// "MTrk", the data's length and the data.
Bytes TrackChunk(const Bytes& data);
// A format 0 file with one track holding `events` (no end-of-track added).
Bytes SmfWithTrack(const Bytes& events);
Bytes Cat(std::initializer_list<Bytes> parts);
// The variable-length encoding of a number.
Bytes VarLen(uint32_t value);

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

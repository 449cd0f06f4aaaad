#pragma once
// InputBytes: the whole of standard input, read once, for the input "-".
// The bytes are then read by the same bounded reader as a mapped file.
#include "core/midi/SmfNoteFile.h"

#include <cstdint>
#include <cstdio>
#include <string>

class InputBytes {
public:
    // The reader addresses its data with 32-bit offsets.
    static constexpr uint64_t kMaxSize = 0xFFFFFFFFu;

    InputBytes() = default;
    ~InputBytes();
    InputBytes(const InputBytes&) = delete;
    InputBytes& operator=(const InputBytes&) = delete;

    // Reads `in` to its end the first time; later calls give the same
    // bytes. False, with a message, when it cannot be read whole.
    bool load(std::FILE* in, std::string& problem);

    const uint8_t* data() const { return data_; }
    uint32_t size() const { return static_cast<uint32_t>(size_); }

private:
    uint8_t* data_ = nullptr;
    size_t size_ = 0;
    bool loaded_ = false;
    std::string problem_;
};

// A reader of the SMF kind `Smf` opened on a named file or, for "-", on the
// bytes of standard input.
template <class Smf>
class InputFile : public Smf {
public:
    uint32_t openInput(const std::string& path, const InputBytes* bytes)
    {
        if (path == "-" && bytes) return Smf::openMemory(path, bytes->data(), bytes->size());
        return Smf::open(path);
    }
};

#include "support/TestFiles.h"

#include <atomic>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

namespace fs = std::filesystem;

Bytes Cat(std::initializer_list<Bytes> parts)
{
    Bytes out;
    for (const Bytes& p : parts) out.insert(out.end(), p.begin(), p.end());
    return out;
}

Bytes HeaderChunk(uint16_t format, uint16_t tracks, uint16_t division)
{
    return {'M', 'T', 'h', 'd', 0, 0, 0, 6,
            static_cast<uint8_t>(format >> 8), static_cast<uint8_t>(format),
            static_cast<uint8_t>(tracks >> 8), static_cast<uint8_t>(tracks),
            static_cast<uint8_t>(division >> 8), static_cast<uint8_t>(division)};
}

Bytes TrackChunk(const Bytes& data)
{
    const uint32_t n = static_cast<uint32_t>(data.size());
    return Cat({{'M', 'T', 'r', 'k', static_cast<uint8_t>(n >> 24), static_cast<uint8_t>(n >> 16),
                 static_cast<uint8_t>(n >> 8), static_cast<uint8_t>(n)},
                data});
}

Bytes SmfWithTrack(const Bytes& events)
{
    return Cat({HeaderChunk(), TrackChunk(events)});
}

Bytes VarLen(uint32_t value)
{
    Bytes groups;
    do {
        groups.insert(groups.begin(), static_cast<uint8_t>(value & 0x7F));
        value >>= 7;
    } while (value);
    for (size_t i = 0; i + 1 < groups.size(); ++i) groups[i] |= 0x80;
    return groups;
}

TempFile::TempFile(const Bytes& content, const std::string& name)
{
    // Test programs run in parallel: a random part keeps their folders apart.
    static std::atomic<unsigned> counter{0};
    static const unsigned run = std::random_device{}();
    const fs::path dir = fs::temp_directory_path() /
                         ("velmora-test-" + std::to_string(run) + "-" + std::to_string(counter++));
    fs::create_directories(dir);
    path_ = (dir / name).string();
    std::ofstream out(path_, std::ios::binary);
    out.write(reinterpret_cast<const char*>(content.data()), static_cast<std::streamsize>(content.size()));
}

TempFile::~TempFile()
{
    std::error_code ec;
    fs::remove_all(fs::path(path_).parent_path(), ec);
}

std::string TestDataDir()
{
    return VELMORA_TESTDATA_DIR;
}

std::string SamplesDir()
{
    return VELMORA_SAMPLES_DIR;
}

Bytes ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

#include "support/TestFiles.h"

#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

namespace fs = std::filesystem;

TempFile::TempFile(const Bytes& content, const std::string& name)
{
    // Test programs run in parallel: a random part keeps their folders apart.
    static std::atomic<unsigned> counter{0};
    static const unsigned run = std::random_device{}();
    const fs::path dir = fs::temp_directory_path() / ("velmora-test-" + std::to_string(run) + "-" +
                                                      std::to_string(counter++));
    fs::create_directories(dir);
    path_ = (dir / name).string();
    std::ofstream(path_, std::ios::binary).write(reinterpret_cast<const char*>(content.data()),
                                                 static_cast<std::streamsize>(content.size()));
}

TempFile::~TempFile()
{
    std::error_code ec;
    fs::remove_all(fs::path(path_).parent_path(), ec);
}

std::string TestDataDir() { return VELMORA_TESTDATA_DIR; }
std::string SamplesDir() { return VELMORA_SAMPLES_DIR; }

Bytes ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

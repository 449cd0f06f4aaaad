#include "cli/InputBytes.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

InputBytes::~InputBytes()
{
    std::free(data_);
}

bool InputBytes::load(std::FILE* in, std::string& problem)
{
    if (loaded_) {
        problem = problem_;
        return problem_.empty();
    }
    loaded_ = true;
    size_t capacity = 0;
    for (;;) {
        if (size_ == capacity) {
            if (capacity == kMaxSize) {
                problem_ = "standard input is larger than 4 GiB";
                break;
            }
            const uint64_t wanted = capacity ? uint64_t{capacity} * 2 : 1u << 16;
            const size_t next = static_cast<size_t>(wanted < kMaxSize ? wanted : kMaxSize);
            void* grown = std::realloc(data_, next);
            if (!grown) {
                problem_ = "not enough memory for standard input";
                break;
            }
            data_ = static_cast<uint8_t*>(grown);
            capacity = next;
        }
        const size_t n = std::fread(data_ + size_, 1, capacity - size_, in);
        size_ += n;
        if (n == 0) {
            if (std::ferror(in)) problem_ = std::string("standard input could not be read: ") + std::strerror(errno);
            break;
        }
    }
    if (!problem_.empty()) size_ = 0;
    problem = problem_;
    return problem_.empty();
}

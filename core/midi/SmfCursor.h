#pragma once
// SmfCursor: a forward reader over the bytes of a file, bounded by an end
// it never reads at or past. A read that does not fit stops the cursor: it
// returns 0, and every later read returns 0 as well, so a caller may read a
// whole event and ask `ok` once.
#include <cstdint>

class SmfCursor {
public:
    SmfCursor(const uint8_t* data, uint64_t position, uint64_t end)
        : data_(data), position_(position), end_(end), ok_(position <= end)
    {
    }

    bool ok() const { return ok_; }
    uint64_t position() const { return position_; }
    uint64_t end() const { return end_; }
    const uint8_t* here() const { return data_ + position_; }

    // True when `count` bytes from `from` lie before the end.
    bool fits(uint64_t from, uint64_t count) const { return from <= end_ && count <= end_ - from; }

    void stop() { ok_ = false; }
    // Stops the cursor unless `condition` holds; returns ok().
    bool require(bool condition)
    {
        if (!condition) ok_ = false;
        return ok_;
    }

    uint8_t byte()
    {
        if (!ok_ || position_ >= end_) return Stopped();
        return data_[position_++];
    }

    // The byte `ahead` bytes past the position, without moving; stops the
    // cursor when it lies at or past the end.
    uint8_t peek(uint64_t ahead)
    {
        if (!ok_ || !fits(position_, ahead + 1)) return Stopped();
        return data_[position_ + ahead];
    }

    // A variable-length number: seven bits a byte, high bit set on every
    // byte but the last, no limit on the count, 32-bit arithmetic that wraps.
    uint32_t varLen()
    {
        uint32_t value = 0;
        for (;;) {
            const uint8_t b = byte();
            if (!ok_) return 0;
            value += b & 0x7Fu;
            if (!(b & 0x80)) return value;
            value <<= 7;
        }
    }

    // Moves past `count` bytes, which must all lie before the end.
    void skip(uint64_t count)
    {
        if (require(fits(position_, count))) position_ += count;
    }

private:
    uint8_t Stopped()
    {
        ok_ = false;
        return 0;
    }

    const uint8_t* data_;
    uint64_t position_;
    uint64_t end_;
    bool ok_;
};

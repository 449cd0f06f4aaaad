#pragma once
// The texts and sort key of a file-list row, and the bounded copy that puts
// any text into a record's fixed-size field.
#include <cstddef>
#include <cstdint>
#include <string>

// The row's kind, its sort key: 0 without find data (or attributes 0),
// 1 for a directory, 2 for anything else.
constexpr uint32_t kKindNoFindData = 0;
constexpr uint32_t kKindDirectory = 1;
constexpr uint32_t kKindOther = 2;
constexpr uint32_t kAttributeDirectory = 0x10;
uint32_t KindOfAttributes(uint32_t attributes);
// -1, 0 or 1 as a's kind is smaller, equal or larger than b's.
int CompareKinds(uint32_t a, uint32_t b);

// "1,024 KB": the size in KB rounded up, digits grouped, whole 64-bit size.
std::string SizeText(uint64_t bytes);
// "2006/03/05 9:07": the hour is not padded, seconds are not shown.
std::string TimeText(unsigned year, unsigned month, unsigned day, unsigned hour, unsigned minute);

// Copies `text` into a field of `capacity` bytes: at most capacity - 1 bytes
// and always a terminating zero. A double-byte character that would be cut
// in half is left out whole. Returns the number of bytes copied.
size_t CopyToField(char* field, size_t capacity, const char* text);

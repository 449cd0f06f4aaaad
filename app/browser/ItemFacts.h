#pragma once
// What a row of the file list shows of an item's facts: its whole size, its
// time as text and the state of its icon.
#include <windows.h>

#include <cstdint>
#include <string>

// The whole 64-bit size of a file: from the file system when it answers
// (the shell's find data may hold only the low part), else from the find data.
uint64_t FileSizeOf(const std::string& path, const WIN32_FIND_DATAA& find);
// The local time of `time` as the list writes it; empty when it cannot be
// converted.
std::string TimeTextOf(const FILETIME& time);
// The icon's state for a row's shell attributes: overlay 2 for a link,
// overlay 1 for a share (it wins), dimmed (LVIS_CUT) when hidden. False
// when none applies.
bool IconStateOf(ULONG shellAttributes, UINT* state, UINT* stateMask);

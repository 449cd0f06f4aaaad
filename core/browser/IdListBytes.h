#pragma once
// Item id lists held as bytes: a run of items, each led by its 16-bit
// little-endian size (the size counts itself), ended by a size of 0.
#include <string>

// The list of the parent folder: the list without its last item, ended by
// two zero bytes; empty for a list of no items (the desktop has no parent).
// The walk stays inside the bytes and stops at the first size that does not
// fit them.
std::string ParentIdList(const std::string& list);

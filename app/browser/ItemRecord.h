#pragma once
// ItemRecord: the record of one file-list row. The file list fills and owns
// it; the data view reads its path when the row becomes selected.
#include <windows.h>
#include <shtypes.h>

#include <cstdint>

struct ItemRecord {
    int32_t iconIndex;        // in the system's small-icon image list
    char displayName[260];
    char path[260];           // empty when the item has no file-system path
    char typeName[80];
    char sizeText[80];        // empty for folders
    char dateText[20];
    uint32_t fileAttributes;
    uint32_t shellAttributes;
    uint32_t kind;            // sort key: 0 no find data, 1 folder, 2 anything else
    ITEMIDLIST* absoluteId;   // copies from the list's pool
    ITEMIDLIST* childId;
    // Sort keys beyond the texts: the whole size from the file system (0 for
    // folders), the last write time, and what a MIDI file says of itself.
    uint64_t fileSize;
    uint64_t writeTime;
    int32_t smfFormat;        // -1 when the file is no SMF
    char sequenceName[256];
    char copyright[256];
    uint32_t filled;          // the fields (kField* bits) filled so far
};

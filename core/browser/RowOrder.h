#pragma once
// RowOrder: the order of the file list's rows. Rows are grouped by kind
// (no find data, folders, everything else) and, once the user has chosen a
// column, ordered by that column's key within each kind, ascending or
// descending; ties fall to the names. Without a choice only the kind counts.
#include <cstdint>

// What a row is sorted by. Texts may be null (as empty).
struct RowKeys {
    uint32_t kind;
    uint64_t size;  // whole bytes; 0 for folders
    uint64_t time;  // last write, in file-time units
    const char* type;
    int32_t format;  // SMF format number; -1 when the file is no SMF
    const char* sequenceName;
    const char* copyright;
};

class RowOrder {
public:
    // The list's columns, in their order.
    enum Column { kByKind = -1, kName, kSize, kType, kModified, kFormat, kSequenceName, kCopyright, kColumns };

    // Sorts by `column`, ascending (an arrangement command).
    void Arrange(int column);
    // A header click: the sorted column again reverses, another ascends.
    void Click(int column);
    int SortedColumn() const { return column_; }
    bool Descending() const { return descending_; }

    // < 0 when row a goes before row b, > 0 after, 0 when they tie.
    // `nameOrder` is the names' comparison (the shell's, < 0 when a's name
    // goes first); unused while only the kind counts.
    int Compare(const RowKeys& a, const RowKeys& b, int nameOrder) const;

private:
    int column_ = kByKind;
    bool descending_ = false;
};

// Case-insensitive for ASCII letters, byte order otherwise; the second byte
// of a double-byte character is never folded.
int CompareTexts(const char* a, const char* b);

#pragma once
// ListProbe: times velmora.exe and plain-list.exe from outside, as a user
// meets them: until every row of a folder has every column's text, the
// first screenful after a folder change, the longest wait of a WM_NULL sent
// during that listing, and the expansion of a tree node. Prints medians and
// the spread (min to max) of `runs` runs, the two programs side by side.
#include <string>
#include <vector>

struct ProbeFolder {
    const char* label;
    std::string path;
    int rows;
    const char* firstRow;  // the name of the first row in name order
};

// `home` holds the folders as sub-folders; `baseline` is a folder of one
// row, whose listing times each program's start-up; `tree` is a folder of
// sub-folders. `only` picks one part ("full", "change", "tree"); empty for all.
void ProbeFolders(const std::string& home, const ProbeFolder& baseline, const std::vector<ProbeFolder>& folders,
                  const std::string& tree, int treeNodes, int runs, const std::string& only);

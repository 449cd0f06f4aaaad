#pragma once
// Helpers of the shell list tests: a folder tree the test makes under the
// build directory, the texts of a list's rows, and a host that records what
// the list and the tree ask of the main window.
#include "app/browser/BrowserHost.h"
#include "app/browser/ItemRecord.h"
#include "app/browser/ShellListView.h"

#include <cstdint>
#include <string>
#include <vector>

namespace shelltest {

// A fresh folder `name` beside the test program, removed with the object
// (also deeper than 260 characters).
class TestFolder {
public:
    explicit TestFolder(const std::string& name);
    ~TestFolder();
    TestFolder(const TestFolder&) = delete;
    TestFolder& operator=(const TestFolder&) = delete;

    const std::string& path() const { return path_; }
    // Full path of `relative` inside the folder.
    std::string operator/(const std::string& relative) const { return path_ + "\\" + relative; }
    // A file holding `bytes`, made `size` bytes long (sparse) when that is
    // more, last written at the `local` time when given.
    std::string File(const std::string& relative, const std::vector<uint8_t>& bytes = {}, LONGLONG size = 0,
                     const SYSTEMTIME* local = nullptr) const;
    std::string Folder(const std::string& relative) const;

private:
    std::string path_;
};

std::wstring Wide(const std::string& text);

// Row texts of a list: rows[i][column].
std::vector<std::vector<std::string>> RowTexts(ShellListView& list, int columns);
// The row whose column 0 reads `name`, or -1.
int RowNamed(ShellListView& list, const std::string& name);

// A host that records the requests of the list and the tree.
class RecordingHost : public BrowserHost {
public:
    RecordingHost() { SetBrowserHost(this); }
    ~RecordingHost() override { SetBrowserHost(nullptr); }
    bool IsMidiOnly() override { return midiOnly; }
    void SelectFolderInTree(LPCITEMIDLIST) override {}
    void OpenItem(const ItemRecord&) override {}
    void SetTitleFolder(const std::string& path) override { titles.push_back(path); }
    void ShowFolderInList(LPCITEMIDLIST folder) override { shown.push_back(PathOfIdList(folder)); }
    void GoUp() override { ++upRequests; }

    bool midiOnly = false;
    int upRequests = 0;
    std::vector<std::string> titles;
    std::vector<std::string> shown;  // paths of the folders handed to the list
};

}  // namespace shelltest

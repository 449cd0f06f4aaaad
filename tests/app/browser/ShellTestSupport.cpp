#include "ShellTestSupport.h"

#include <algorithm>
#include <filesystem>

namespace shelltest {

namespace {

// With the long-path prefix, so that trees deeper than 260 characters go too.
void RemoveTree(const std::string& path)
{
    std::error_code ignored;
    std::filesystem::remove_all(L"\\\\?\\" + Wide(path), ignored);
}

std::string TestsFolder()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, sizeof path - 1);
    const std::string program = path;
    return program.substr(0, program.find_last_of("\\/")) + "\\shell-tests";
}

}  // namespace

std::wstring Wide(const std::string& text)
{
    std::wstring wide(text.size(), L'\0');  // never more characters than bytes
    wide.resize(size_t(MultiByteToWideChar(CP_ACP, 0, text.data(), int(text.size()), &wide[0], int(wide.size()))));
    return wide;
}

TestFolder::TestFolder(const std::string& name) : path_(TestsFolder() + "\\" + name)
{
    CreateDirectoryA(TestsFolder().c_str(), nullptr);
    RemoveTree(path_);
    CreateDirectoryA(path_.c_str(), nullptr);
}

TestFolder::~TestFolder() { RemoveTree(path_); }

std::string TestFolder::File(const std::string& relative, const std::vector<uint8_t>& bytes, LONGLONG size,
                             const SYSTEMTIME* local) const
{
    const std::string full = *this / relative;
    const HANDLE file = CreateFileA(full.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return full;
    DWORD written = 0;
    if (!bytes.empty()) WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    LARGE_INTEGER end;
    end.QuadPart = size;
    if (size > LONGLONG(bytes.size()) && SetFilePointerEx(file, end, nullptr, FILE_BEGIN)) SetEndOfFile(file);
    FILETIME localTime, utc;
    if (local && SystemTimeToFileTime(local, &localTime) && LocalFileTimeToFileTime(&localTime, &utc))
        SetFileTime(file, nullptr, nullptr, &utc);
    CloseHandle(file);
    return full;
}

std::string TestFolder::Folder(const std::string& relative) const
{
    const std::string full = *this / relative;
    CreateDirectoryA(full.c_str(), nullptr);
    return full;
}

std::vector<std::vector<std::string>> RowTexts(ShellListView& list, int columns)
{
    std::vector<std::vector<std::string>> rows(list.GetItemCount());
    for (size_t i = 0; i < rows.size(); ++i) {
        for (int column = 0; column < columns; ++column) {
            char text[512] = {};
            LVITEMA item{};
            item.iSubItem = column;
            item.pszText = text;
            item.cchTextMax = sizeof text;
            list.SendMessage(LVM_GETITEMTEXTA, i, reinterpret_cast<LPARAM>(&item));
            rows[i].push_back(text);
        }
    }
    return rows;
}

int RowNamed(ShellListView& list, const std::string& name)
{
    const auto rows = RowTexts(list, 1);
    const auto found = std::find(rows.begin(), rows.end(), std::vector<std::string>{name});
    return found == rows.end() ? -1 : static_cast<int>(found - rows.begin());
}

}  // namespace shelltest

// list-probe-hook: a hook the list probe puts on the thread of another
// program's list. When the list gets the message "velmora-list-probe-read"
// (wParam: the number of columns), the hook reads every text of every row on
// the list's own thread, as drawing would, and answers in the shared block
// "velmora-list-probe": the rows and the empty texts (columns 4 to 6 count
// only for .mid rows), then sets the event "velmora-list-probe-done".
#include <windows.h>
#include <commctrl.h>

#include <cstring>

namespace {

struct Answer {
    LONG rows;
    LONG empty;
};

void ReadAll(HWND list, int columns)
{
    Answer answer{};
    answer.rows = static_cast<LONG>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    for (int row = 0; row < answer.rows; ++row) {
        bool midi = false;
        for (int column = 0; column < columns; ++column) {
            char text[264] = {};
            LVITEMA item{};
            item.iSubItem = column;
            item.pszText = text;
            item.cchTextMax = sizeof text;
            SendMessageA(list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
            const size_t length = std::strlen(text);
            if (column == 0) midi = length > 4 && std::strcmp(text + length - 4, ".mid") == 0;
            if (column < 4 || midi) answer.empty += text[0] == '\0';
        }
    }
    const HANDLE block = OpenFileMappingA(FILE_MAP_WRITE, FALSE, "velmora-list-probe");
    if (block) {
        if (void* view = MapViewOfFile(block, FILE_MAP_WRITE, 0, 0, sizeof answer)) {
            std::memcpy(view, &answer, sizeof answer);
            UnmapViewOfFile(view);
        }
        CloseHandle(block);
    }
    const HANDLE done = OpenEventA(EVENT_MODIFY_STATE, FALSE, "velmora-list-probe-done");
    if (done) {
        SetEvent(done);
        CloseHandle(done);
    }
}

}  // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK ProbeHook(int code, WPARAM wParam, LPARAM lParam)
{
    static const UINT read = RegisterWindowMessageA("velmora-list-probe-read");
    const MSG* message = reinterpret_cast<const MSG*>(lParam);
    if (code == HC_ACTION && wParam == PM_REMOVE && message && message->message == read) {
        ReadAll(message->hwnd, static_cast<int>(message->wParam));
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

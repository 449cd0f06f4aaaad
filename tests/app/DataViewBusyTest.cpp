// The data view on a main window made as the program makes it: its own font,
// and the busy state around loading and encoding.
#include "AppTestSupport.h"

#include "app/RightFrame.h"
#include "browser/shell/ItemRecord.h"
#include "encode/view/DataFrame.h"
#include "encode/view/DataView.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <vector>

namespace {

// What the thread's capture and cursor were each time the view's text was set.
struct Seen {
    HWND capture;
    HCURSOR cursor;
};
HWND watchedView = nullptr;
std::vector<Seen> seen;

LRESULT CALLBACK WatchSetText(int code, WPARAM wParam, LPARAM lParam)
{
    const CWPSTRUCT* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && call->hwnd == watchedView && call->message == WM_SETTEXT)
        seen.push_back({GetCapture(), GetCursor()});
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

ItemRecord Record(const std::string& path)
{
    ItemRecord r{};
    std::strncpy(r.path, path.c_str(), sizeof r.path - 1);
    return r;
}

}  // namespace

class DataViewWindow : public AppWindowTest {
protected:
    DataFrame* frame() { return main->GetRightFrame()->GetDataFrame(); }
    DataView* view() { return frame()->GetDataView(); }
};

TEST_F(DataViewWindow, ShowsTheFixedPitchFontItMade)
{
    const HFONT font = reinterpret_cast<HFONT>(view()->SendMessage(WM_GETFONT, 0, 0));
    ASSERT_NE(nullptr, font);
    LOGFONTA description{};
    ASSERT_EQ(int(sizeof description), GetObjectA(font, sizeof description, &description));
    EXPECT_STREQ("FixedSys", description.lfFaceName);
    EXPECT_EQ(14, description.lfHeight);
    EXPECT_EQ(SHIFTJIS_CHARSET, description.lfCharSet);
}

TEST_F(DataViewWindow, LoadingAndEncodingShowTheBusyStateAndLeaveItOnEveryPath)
{
    TempFile song(SmfWithTrack({0x00, 0x90, 60, 100, 0x83, 0x60, 0x90, 60, 0, 0x00, 0xFF, 0x2F, 0x00}), "busy.mid");
    TempFile riff(Bytes{'R', 'I', 'F', 'F', 1, 2, 3, 4}, "riff.mid");
    const ItemRecord good = Record(song.path()), bad = Record(riff.path()), other = Record(song.path() + ".txt");
    const HCURSOR wait = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_WAIT));
    const HCURSOR arrow = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    watchedView = view()->GetHandle();
    const HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, WatchSetText, nullptr, GetCurrentThreadId());
    ASSERT_NE(nullptr, hook);

    const struct {
        const char* path;
        std::function<int(DataView*)> work;
        int result;
    } cases[] = {
        {"encoding without a file", [](DataView* v) { return v->showEncoding(); }, 0},
        {"a MIDI file", [&](DataView* v) { return v->loadFile(&good); }, 1},
        {"encoding it again", [](DataView* v) { return v->showEncoding(); }, 1},
        {"another extension", [&](DataView* v) { return v->loadFile(&other); }, 0},
        {"no item", [](DataView* v) { return v->loadFile(nullptr); }, 0},
        {"no MIDI file", [&](DataView* v) { return v->loadFile(&bad); }, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        SetCursor(arrow);
        seen.clear();
        EXPECT_EQ(c.result, c.work(view()));
        ASSERT_FALSE(seen.empty());
        for (const Seen& s : seen) {
            EXPECT_EQ(watchedView, s.capture);
            EXPECT_EQ(wait, s.cursor);
        }
        EXPECT_EQ(nullptr, GetCapture());
        EXPECT_EQ(arrow, GetCursor());
    }
    UnhookWindowsHookEx(hook);
    watchedView = nullptr;
}

// What the platform wrappers own and give back: registry keys, global memory
// handed to the clipboard, menus, device contexts, dropped files.
#include "TestWindows.h"

#include "framework/KvDC.h"
#include "framework/KvDropFiles.h"
#include "framework/KvGlobalMemory.h"
#include "framework/KvMenu.h"
#include "framework/KvPaintDC.h"
#include "framework/KvPoint.h"
#include "framework/KvRegKey.h"

#include <shlobj.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

using fwtest::Parent;
using fwtest::WindowGuard;

namespace {

// A key of the test's own under HKCU, deleted with its values afterwards.
struct TestKey {
    std::string path;
    TestKey()
    {
        const auto* info = testing::UnitTest::GetInstance()->current_test_info();
        path = std::string("Software\\velmora-tests\\") + info->name() + "-" +
               std::to_string(GetCurrentProcessId());
    }
    ~TestKey()
    {
        RegDeleteKeyA(HKEY_CURRENT_USER, path.c_str());
        RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\velmora-tests");
    }
};

bool KeyIsOpen(HKEY key)
{
    DWORD count = 0;
    return RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count,
                            nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

}  // namespace

TEST(RegKey, DestructionClosesAnOpenKeyAndSecondCreateClosesTheFirst)
{
    TestKey testKey;
    HKEY first = nullptr;
    {
        KvRegKey key;
        ASSERT_EQ(ERROR_SUCCESS, key.Create(HKEY_CURRENT_USER, testKey.path.c_str(), 0, nullptr, 0,
                                            KEY_ALL_ACCESS, nullptr, nullptr));
        first = key.GetHandle();
        EXPECT_TRUE(KeyIsOpen(first));
        // A second key replaces the first, which is closed, not leaked.
        ASSERT_EQ(ERROR_SUCCESS, key.Create(HKEY_CURRENT_USER, testKey.path.c_str(), 0, nullptr, 0,
                                            KEY_READ, nullptr, nullptr));
        EXPECT_FALSE(KeyIsOpen(first));
        first = key.GetHandle();
        // A failed Create keeps the key held.
        EXPECT_NE(ERROR_SUCCESS, key.Create(nullptr, "x", 0, nullptr, 0, KEY_READ, nullptr, nullptr));
        EXPECT_EQ(first, key.GetHandle());
        EXPECT_TRUE(KeyIsOpen(first));
    }
    EXPECT_FALSE(KeyIsOpen(first));

    // Moved and detached keys: exactly one owner closes.
    KvRegKey source;
    ASSERT_EQ(ERROR_SUCCESS, source.Create(HKEY_CURRENT_USER, testKey.path.c_str(), 0, nullptr, 0,
                                           KEY_READ, nullptr, nullptr));
    HKEY handle = source.GetHandle();
    KvRegKey target(std::move(source));
    EXPECT_EQ(nullptr, source.GetHandle());
    EXPECT_EQ(handle, target.GetHandle());
    HKEY detached = target.Detach();
    EXPECT_EQ(nullptr, target.GetHandle());
    EXPECT_TRUE(KeyIsOpen(detached));
    RegCloseKey(detached);
}

TEST(GlobalMemory, BlockIsHandedToTheClipboardAndNeverFreedByTheWrapper)
{
    const char text[] = "db 3Ch, 28h ; ド";
    HGLOBAL handle = nullptr;
    {
        KvGlobalMemory memory;
        handle = memory.Alloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof text);
        ASSERT_NE(nullptr, handle);
        EXPECT_EQ(handle, memory.GetHandle());
        char* bytes = static_cast<char*>(memory.Lock());
        ASSERT_NE(nullptr, bytes);
        std::memcpy(bytes, text, sizeof text);
        EXPECT_FALSE(memory.Unlock());  // lock count back to 0
    }
    EXPECT_EQ(sizeof text, GlobalSize(handle));

    KvWindow owner;
    WindowGuard guard(Parent(owner));
    ASSERT_TRUE(owner.OpenClipboard());
    EXPECT_TRUE(EmptyClipboard());
    EXPECT_EQ(handle, SetClipboardData(CF_TEXT, handle));
    EXPECT_TRUE(CloseClipboard());

    ASSERT_TRUE(OpenClipboard(nullptr));
    HANDLE read = GetClipboardData(CF_TEXT);
    ASSERT_NE(nullptr, read);
    const char* bytes = static_cast<const char*>(GlobalLock(read));
    EXPECT_STREQ(text, bytes);
    GlobalUnlock(read);
    CloseClipboard();
}

TEST(Menu, CreatedPopupIsOwnedAttachedMenuIsNot)
{
    HMENU created = nullptr;
    HMENU attachedMenu = CreatePopupMenu();
    {
        KvMenu menu;
        created = menu.CreatePopupMenu();
        ASSERT_NE(nullptr, created);
        AppendMenuA(created, MF_STRING, 40001, "終了(&X)");
        KvMenu attached(attachedMenu);
        EXPECT_EQ(attachedMenu, attached.GetHandle());
    }
    EXPECT_FALSE(IsMenu(created));
    EXPECT_TRUE(IsMenu(attachedMenu));

    HMENU handedOn = nullptr;
    {
        KvMenu menu;
        menu.CreatePopupMenu();
        handedOn = menu.Detach();
        EXPECT_EQ(nullptr, menu.GetHandle());
    }
    EXPECT_TRUE(IsMenu(handedOn));
    DestroyMenu(handedOn);
    DestroyMenu(attachedMenu);
}

TEST(Point, PackedValuesAreCutToTheirLow16Bits)
{
    KvPoint point(-1, 5);
    EXPECT_EQ(65535, point.x);
    EXPECT_EQ(5, point.y);
    KvPoint packed(0x12345678, -32768);
    EXPECT_EQ(0x5678, packed.x);
    EXPECT_EQ(0x8000, packed.y);
}

namespace {

// Counts the calls that give contexts back, and can make EndPaint fail.
struct PaintCalls {
    static int endPaints, releases;
    static bool failEndPaint;
    static HWND releasedWindow;
    static HDC releasedDC;
    static BOOL WINAPI EndPaint(HWND window, const PAINTSTRUCT* paint)
    {
        ++endPaints;
        if (failEndPaint) return FALSE;
        return ::EndPaint(window, paint);
    }
    static int WINAPI ReleaseDC(HWND window, HDC dc)
    {
        ++releases;
        releasedWindow = window;
        releasedDC = dc;
        return ::ReleaseDC(window, dc);
    }
    PaintCalls()
    {
        endPaints = releases = 0;
        failEndPaint = false;
        KvDC::endPaintCall = EndPaint;
        KvDC::releaseDCCall = ReleaseDC;
    }
    ~PaintCalls()
    {
        KvDC::endPaintCall = ::EndPaint;
        KvDC::releaseDCCall = ::ReleaseDC;
    }
};
int PaintCalls::endPaints, PaintCalls::releases;
bool PaintCalls::failEndPaint;
HWND PaintCalls::releasedWindow;
HDC PaintCalls::releasedDC;

}  // namespace

TEST(DeviceContext, WrappedContextAloneIsNeverReleased)
{
    PaintCalls calls;
    KvWindow object;
    WindowGuard guard(Parent(object));
    HDC dc = GetDC(object.GetHandle());
    {
        KvDC wrapped(dc);
        EXPECT_EQ(dc, wrapped.GetHandle());
        EXPECT_EQ(nullptr, wrapped.GetWindow());
    }
    EXPECT_EQ(0, calls.releases);
    EXPECT_EQ(1, ReleaseDC(object.GetHandle(), dc));
}

TEST(DeviceContext, PaintEndsOnceAndReleasesNothingWhenEndPaintWorks)
{
    PaintCalls calls;
    struct Painter : KvWindow {
        HDC seen = nullptr;
        LRESULT OnPaint(KvPaintDC* dc) override
        {
            seen = dc->GetHandle();
            return 1;
        }
    } object;
    HWND window = Parent(object);
    WindowGuard guard(window);
    ShowWindow(window, SW_SHOWNOACTIVATE);  // hidden windows get no WM_PAINT
    calls.endPaints = 0;
    InvalidateRect(window, nullptr, TRUE);
    UpdateWindow(window);
    EXPECT_NE(nullptr, object.seen);
    EXPECT_EQ(1, calls.endPaints);
    EXPECT_EQ(0, calls.releases);
    EXPECT_FALSE(GetUpdateRect(window, nullptr, FALSE));
}

TEST(DeviceContext, PaintWhoseEndPaintFailsReleasesTheContext)
{
    PaintCalls calls;
    KvWindow object;
    HWND window = Parent(object);
    WindowGuard guard(window);
    InvalidateRect(window, nullptr, TRUE);
    calls.failEndPaint = true;
    HDC dc = nullptr;
    {
        KvPaintDC paint(window);
        dc = paint.GetHandle();
        ASSERT_NE(nullptr, dc);
        EXPECT_EQ(0, paint.EndPaint());
        EXPECT_EQ(dc, paint.GetHandle());  // kept
        EXPECT_EQ(window, paint.GetWindow());
    }
    EXPECT_EQ(2, calls.endPaints);  // ours and the destructor's
    EXPECT_EQ(1, calls.releases);
    EXPECT_EQ(window, calls.releasedWindow);
    EXPECT_EQ(dc, calls.releasedDC);
}

TEST(DropFiles, TheDispatcherFinishesTheDrop)
{
    struct Target : KvWindow {
        UINT count = 0;
        std::string first;
        LRESULT OnDropFiles(KvDropFiles* drop) override
        {
            count = DragQueryFileA(drop->GetHandle(), 0xFFFFFFFF, nullptr, 0);
            char name[MAX_PATH] = "";
            DragQueryFileA(drop->GetHandle(), 0, name, sizeof name);
            first = name;
            return 1;
        }
    } object;
    WindowGuard guard(Parent(object));
    const char files[] = "C:\\曲\\a.mid\0C:\\b.mid\0";
    HGLOBAL drop = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + sizeof files);
    auto* header = static_cast<DROPFILES*>(GlobalLock(drop));
    header->pFiles = sizeof(DROPFILES);
    std::memcpy(header + 1, files, sizeof files);
    GlobalUnlock(drop);
    SendMessageA(object.GetHandle(), WM_DROPFILES, (WPARAM)drop, 0);
    EXPECT_EQ(2u, object.count);
    EXPECT_EQ("C:\\曲\\a.mid", object.first);
    EXPECT_EQ(0u, GlobalSize(drop));  // DragFinish freed it
}

#include "AppTestSupport.h"

#include "app/settings/Settings.h"
#include "encode/view/ChannelToolBar.h"
#include "encode/view/DataFrame.h"
#include "app/RightFrame.h"
#include "browser/shell/FolderTreeView.h"
#include "resources/resource.h"

#include <gtest/gtest.h>

namespace {

const DWORD kUseDefault = 0x80000000;

const char kFormat1[] = "\\tdb\\t%02d,$%02X,$%02X,$%02X\\t;%02d %03d %05d %03d";
const char kFormat2[] = "\\tdb\\t%02d,$%02X\\t\\t;%02d %03d %05d %03d";

}  // namespace

// The record alone, without windows: Load and Save against the test's key.
class SettingsRecord : public ::testing::Test {
protected:
    void SetUp() override
    {
        DeleteTestKey();
        settings.SetKeyPath(TestKeyPath());
    }
    void TearDown() override { DeleteTestKey(); }
    void Write(const char* name, DWORD type, const void* data, DWORD size)
    {
        HKEY key;
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, TestKeyPath().c_str(), 0, nullptr, 0,
                                                 KEY_WRITE, nullptr, &key, nullptr));
        RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size);
        RegCloseKey(key);
    }
    Settings settings;
};

TEST_F(SettingsRecord, FirstRunTakesEveryDefaultAndMakesTheKey)
{
    settings.WindowLeft = 1;
    settings.ShowWindowFlag = 0;
    EXPECT_TRUE(settings.Load());
    EXPECT_EQ(int32_t(kUseDefault), settings.WindowLeft);
    EXPECT_EQ(int32_t(kUseDefault), settings.WindowTop);
    EXPECT_EQ(int32_t(kUseDefault), settings.WindowWidth);
    EXPECT_EQ(int32_t(kUseDefault), settings.WindowHeight);
    EXPECT_EQ(200, settings.TreeViewWidth);
    EXPECT_EQ(200, settings.EditFrameHeight);
    EXPECT_EQ("", settings.GetLastPath());
    EXPECT_EQ(0xFDFFu, settings.EncodeChannel);
    EXPECT_EQ(0u, settings.ExportChannel);
    EXPECT_EQ(0, settings.SelectedTab);
    EXPECT_EQ(kFormat1, settings.GetPrintFormat1());
    EXPECT_EQ(kFormat2, settings.GetPrintFormat2());
    EXPECT_EQ(15u, settings.ShowWindowFlag);
    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER, TestKeyPath().c_str(), 0, KEY_READ, &key));
    DWORD values = 99;
    RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr, nullptr, nullptr,
                     nullptr);
    RegCloseKey(key);
    EXPECT_EQ(0u, values);
}

TEST_F(SettingsRecord, SaveWritesFourteenValuesThatLoadBack)
{
    settings.Load();
    settings.WindowLeft = -5;
    settings.WindowTop = 7;
    settings.WindowWidth = 640;
    settings.WindowHeight = 480;
    settings.TreeViewWidth = 0;
    settings.EditFrameHeight = 333;
    settings.SetLastPath("C:\\\x95\x5C\\MIDI");
    settings.EncodeChannel = 0xABCD0005;
    settings.ExportChannel = 0x8001;
    settings.SelectedTab = 1;
    settings.CompleteReading = 1;
    settings.SetPrintFormat1("L \\t%d");
    settings.SetPrintFormat2("");
    settings.ShowWindowFlag = 0xFFFFFFE0 | 9;
    EXPECT_TRUE(settings.Save());  // no main window: nothing to capture

    size_t count = 0;
    const SettingsValue* values = Settings::Values(count);
    ASSERT_EQ(14u, count);
    for (size_t i = 0; i < count; ++i) {
        const SettingsValue& s = values[i];
        DWORD type = 0, size = 0;
        ASSERT_EQ(ERROR_SUCCESS,
                  RegGetValueA(HKEY_CURRENT_USER, TestKeyPath().c_str(), s.name, RRF_RT_ANY | RRF_NOEXPAND, &type,
                               nullptr, &size))
            << s.name;
        EXPECT_EQ(s.isText() ? DWORD(REG_SZ) : DWORD(REG_DWORD), type) << s.name;
    }
    DWORD size = 0;
    RegGetValueA(HKEY_CURRENT_USER, TestKeyPath().c_str(), "PrintFormat2", RRF_RT_ANY, nullptr, nullptr, &size);
    EXPECT_EQ(1u, size);  // the empty text is its terminating zero

    Settings again;
    again.SetKeyPath(TestKeyPath());
    again.Load();
    EXPECT_EQ(-5, again.WindowLeft);
    EXPECT_EQ(7, again.WindowTop);
    EXPECT_EQ(640, again.WindowWidth);
    EXPECT_EQ(480, again.WindowHeight);
    EXPECT_EQ(0, again.TreeViewWidth);
    EXPECT_EQ(333, again.EditFrameHeight);
    EXPECT_EQ("C:\\\x95\x5C\\MIDI", again.GetLastPath());
    EXPECT_EQ(0xABCD0005u, again.EncodeChannel);
    EXPECT_EQ(0x8001u, again.ExportChannel);
    EXPECT_EQ(1, again.SelectedTab);
    EXPECT_EQ(1u, again.CompleteReading);
    EXPECT_EQ("L \\t%d", again.GetPrintFormat1());
    EXPECT_EQ("", again.GetPrintFormat2());  // stored empty: not the default
    EXPECT_EQ(0xFFFFFFE9u, again.ShowWindowFlag);
}

TEST_F(SettingsRecord, MissingOrForeignValuesTakeTheirDefaultsAndTheRestStillLoads)
{
    const DWORD tab = 1, exportChannel = 6, encodeChannel = 3;
    Write("LastPath", REG_SZ, "", 1);
    Write("EncodeChannel", REG_DWORD, &encodeChannel, 4);
    Write("ExportChannel", REG_DWORD, &exportChannel, 4);
    Write("SelectedTab", REG_DWORD, &tab, 4);
    // A number stored as text, a text stored as a number, a text of size 0.
    Write("TreeViewWidth", REG_SZ, "150", 4);
    Write("PrintFormat1", REG_DWORD, &tab, 4);
    Write("PrintFormat2", REG_SZ, "", 0);
    Write("WindowTop", REG_BINARY, "\x01\x02", 2);
    settings.Load();
    EXPECT_EQ("", settings.GetLastPath());
    EXPECT_EQ(3u, settings.EncodeChannel);
    EXPECT_EQ(6u, settings.ExportChannel);
    EXPECT_EQ(1, settings.SelectedTab);
    EXPECT_EQ(200, settings.TreeViewWidth);
    EXPECT_EQ(int32_t(kUseDefault), settings.WindowTop);
    EXPECT_EQ(kFormat1, settings.GetPrintFormat1());
    EXPECT_EQ(kFormat2, settings.GetPrintFormat2());
}

TEST_F(SettingsRecord, TextsEndAtTheirFirstZeroOrAtTheEndOfTheData)
{
    Write("LastPath", REG_SZ, "C:\\a\0junk", 10);
    Write("PrintFormat1", REG_SZ, "no terminator", 13);
    const std::string longPath(5000, 'p');
    Write("PrintFormat2", REG_SZ, longPath.c_str(), DWORD(longPath.size() + 1));
    settings.Load();
    EXPECT_EQ("C:\\a", settings.GetLastPath());
    EXPECT_EQ("no terminator", settings.GetPrintFormat1());
    EXPECT_EQ(longPath, settings.GetPrintFormat2());
}

// With the windows: what Save captures from them.
class SettingsLivePanes : public AppWindowTest {
protected:
    void Prepare() override
    {
        WriteNumber("ShowWindowFlag", 0xFFFFFFE0);  // bits 5 to 31 only
        WriteNumber("TreeViewWidth", 150);
        WriteNumber("EditFrameHeight", 120);
        WriteText("LastPath", "C:\\songs");
    }
};

TEST_F(SettingsLivePanes, SaveTakesThePanesAndKeepsTheUninterpretedBits)
{
    // Flags 0: every pane hidden.
    EXPECT_FALSE(IsWindowVisible(main->GetFolderTree()->GetHandle()));
    EXPECT_FALSE(IsWindowVisible(main->GetRightFrame()->GetDataFrame()->GetHandle()));
    main->SendMessage(WM_COMMAND, IDM_TREEVIEW, 0);
    main->SendMessage(WM_COMMAND, IDM_DATAVIEW, 0);
    ChannelToolBar* toolbar = main->GetRightFrame()->GetDataFrame()->GetChannelToolBar();
    toolbar->SetChecked(IDM_CHANNEL_FIRST + 2, true);
    toolbar->SetChecked(IDM_CHANNEL_FIRST + 15, true);

    const std::string selected = main->GetFolderTree()->SelectedPath();  // C:\songs does not exist: the desktop
    main->SendMessage(WM_CLOSE, 0, 0);
    DWORD flags = 0, tree = 0, height = 0, exportChannel = 0;
    ASSERT_TRUE(ReadNumber("ShowWindowFlag", flags));
    EXPECT_EQ(0xFFFFFFE0u | 4 | 8, flags);
    ASSERT_TRUE(ReadNumber("TreeViewWidth", tree));
    EXPECT_EQ(150u, tree);
    ASSERT_TRUE(ReadNumber("EditFrameHeight", height));
    EXPECT_EQ(120u, height);
    ASSERT_TRUE(ReadNumber("ExportChannel", exportChannel));
    EXPECT_EQ(0x8004u, exportChannel);
    std::string path;
    ASSERT_TRUE(ReadText("LastPath", path));
    EXPECT_EQ(selected, path);
}

class SettingsWindowRect : public AppWindowTest {
protected:
    void Prepare() override
    {
        WriteNumber("WindowLeft", 40);
        WriteNumber("WindowTop", 30);
        WriteNumber("WindowWidth", 700);
        WriteNumber("WindowHeight", 500);
    }
};

TEST_F(SettingsWindowRect, TheLastRestoredSizeIsSavedNotMovesNorMaximizing)
{
    RECT r;
    GetWindowRect(main->GetHandle(), &r);
    EXPECT_EQ(700, r.right - r.left);
    SetWindowPos(main->GetHandle(), nullptr, 50, 60, 640, 420, SWP_NOZORDER);
    SetWindowPos(main->GetHandle(), nullptr, 300, 200, 0, 0, SWP_NOZORDER | SWP_NOSIZE);  // a move only
    ShowWindow(main->GetHandle(), SW_MAXIMIZE);
    Pump();
    main->SendMessage(WM_CLOSE, 0, 0);
    DWORD left = 0, top = 0, width = 0, height = 0;
    ASSERT_TRUE(ReadNumber("WindowLeft", left));
    ASSERT_TRUE(ReadNumber("WindowTop", top));
    ASSERT_TRUE(ReadNumber("WindowWidth", width));
    ASSERT_TRUE(ReadNumber("WindowHeight", height));
    EXPECT_EQ(50u, left);
    EXPECT_EQ(60u, top);
    EXPECT_EQ(640u, width);
    EXPECT_EQ(420u, height);
}

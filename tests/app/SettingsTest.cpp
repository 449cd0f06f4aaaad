#include "AppTestSupport.h"

#include "app/settings/Settings.h"
#include "encode/view/ChannelToolBar.h"
#include "encode/view/DataFrame.h"
#include "app/RightFrame.h"
#include "browser/shell/FolderTreeView.h"
#include "resources/resource.h"

#include <gtest/gtest.h>

// The record alone, without windows: Load and Save against the test's key.
class SettingsRecord : public ::testing::Test {
protected:
    void SetUp() override
    {
        DeleteTestKey();
        settings.SetKeyPath(TestKeyPath());
        rows = Settings::Values(count);
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
    // Every field of `s` holds its row's default, or (for `changed`) a value of its own.
    void ExpectValues(const Settings& s, bool changed)
    {
        for (size_t i = 0; i < count; ++i) {
            const SettingsValue& v = rows[i];
            SCOPED_TRACE(v.name);
            EXPECT_EQ(&v, Settings::FindValue(v.name));
            if (v.isText()) EXPECT_EQ(changed ? Text(i) : std::string(v.textDefault), s.*v.textField);
            else if (v.signedField) EXPECT_EQ(int32_t(changed ? Number(i) : v.numberDefault), s.*v.signedField);
            else EXPECT_EQ(changed ? Number(i) : v.numberDefault, s.*v.unsignedField);
        }
    }
    // Not a default: negative, large and Shift-JIS values; one text stored empty.
    static uint32_t Number(size_t i) { return 0xFFFFFFF0u - uint32_t(i) * 0x01010101u; }
    static std::string Text(size_t i) { return i % 2 ? "" : "C:\\\x95\x5C\\" + std::to_string(i); }
    Settings settings;
    const SettingsValue* rows = nullptr;
    size_t count = 0;
};

TEST_F(SettingsRecord, FirstRunTakesEveryDefaultAndMakesTheKey)
{
    for (size_t i = 0; i < count; ++i)  // not the defaults before the load
        if (rows[i].isText()) settings.*rows[i].textField = "x";
        else if (rows[i].signedField) settings.*rows[i].signedField = 1;
        else settings.*rows[i].unsignedField = 1;
    EXPECT_TRUE(settings.Load());
    ExpectValues(settings, false);
    ExpectValues(Settings(), false);
    EXPECT_EQ(nullptr, Settings::FindValue("RealTimeEncode"));  // held, never stored
    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER, TestKeyPath().c_str(), 0, KEY_READ, &key));
    DWORD values = 99;
    RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr, nullptr, nullptr,
                     nullptr);
    RegCloseKey(key);
    EXPECT_EQ(0u, values);
}

TEST_F(SettingsRecord, SaveWritesEveryValueWithItsTypeAndLoadsBack)
{
    ASSERT_EQ(14u, count);
    for (size_t i = 0; i < count; ++i)
        if (rows[i].isText()) settings.*rows[i].textField = Text(i);
        else if (rows[i].signedField) settings.*rows[i].signedField = int32_t(Number(i));
        else settings.*rows[i].unsignedField = Number(i);
    EXPECT_TRUE(settings.Save());  // no main window: nothing to capture
    for (size_t i = 0; i < count; ++i) {
        DWORD type = 0, size = 0;
        ASSERT_EQ(ERROR_SUCCESS, RegGetValueA(HKEY_CURRENT_USER, TestKeyPath().c_str(), rows[i].name,
                                              RRF_RT_ANY | RRF_NOEXPAND, &type, nullptr, &size))
            << rows[i].name;
        EXPECT_EQ(rows[i].isText() ? DWORD(REG_SZ) : DWORD(REG_DWORD), type) << rows[i].name;
        if (rows[i].isText()) {
            EXPECT_EQ(Text(i).size() + 1, size) << rows[i].name;  // with its zero
        }
    }
    Settings again;
    again.SetKeyPath(TestKeyPath());
    again.Load();
    ExpectValues(again, true);  // a text stored empty stays empty
}

TEST_F(SettingsRecord, MissingForeignOrOddTextValuesTakeTheirDefaultsAndTheRestStillLoads)
{
    const DWORD tab = 1, encodeChannel = 3;
    Write("EncodeChannel", REG_DWORD, &encodeChannel, 4);
    Write("SelectedTab", REG_DWORD, &tab, 4);
    // A number stored as text, a text stored as a number, a text of size 0, binary.
    Write("TreeViewWidth", REG_SZ, "150", 4);
    Write("PrintFormat1", REG_DWORD, &tab, 4);
    Write("PrintFormat2", REG_SZ, "", 0);
    Write("WindowTop", REG_BINARY, "\x01\x02", 2);
    Write("LastPath", REG_SZ, "C:\\a\0junk", 10);  // texts end at their first zero
    settings.Load();
    EXPECT_EQ(3u, settings.EncodeChannel);
    EXPECT_EQ(1, settings.SelectedTab);
    EXPECT_EQ(200, settings.TreeViewWidth);
    EXPECT_EQ(int32_t(0x80000000), settings.WindowTop);
    EXPECT_EQ(Settings().GetPrintFormat1(), settings.GetPrintFormat1());
    EXPECT_EQ(Settings().GetPrintFormat2(), settings.GetPrintFormat2());
    EXPECT_EQ("C:\\a", settings.GetLastPath());

    Write("PrintFormat1", REG_SZ, "no terminator", 13);  // or at the end of the data
    const std::string longText(5000, 'p');
    Write("PrintFormat2", REG_SZ, longText.c_str(), DWORD(longText.size() + 1));
    settings.Load();
    EXPECT_EQ("no terminator", settings.GetPrintFormat1());
    EXPECT_EQ(longText, settings.GetPrintFormat2());
}

// With the windows: what Save captures from them.
class SettingsLivePanes : public AppWindowTest {
protected:
    void Prepare() override
    {
        WriteNumber("ShowWindowFlag", 0xFFFFFFE0);  // bits 5 to 31 only
        WriteNumber("TreeViewWidth", 150);
        WriteNumber("EditFrameHeight", 120);
        WriteNumber("WindowWidth", 700);
        WriteText("LastPath", "C:\\songs");
    }
};

TEST_F(SettingsLivePanes, SaveTakesThePanesTheRestoredSizeAndKeepsTheUninterpretedBits)
{
    // Flags 0: every pane hidden.
    EXPECT_FALSE(IsWindowVisible(main->GetFolderTree()->GetHandle()));
    EXPECT_FALSE(IsWindowVisible(main->GetRightFrame()->GetDataFrame()->GetHandle()));
    RECT r;
    GetWindowRect(main->GetHandle(), &r);
    EXPECT_EQ(700, r.right - r.left);
    main->SendMessage(WM_COMMAND, IDM_TREEVIEW, 0);
    main->SendMessage(WM_COMMAND, IDM_DATAVIEW, 0);
    ChannelToolBar* toolbar = main->GetRightFrame()->GetDataFrame()->GetChannelToolBar();
    toolbar->SetChecked(IDM_CHANNEL_FIRST + 2, true);
    toolbar->SetChecked(IDM_CHANNEL_FIRST + 15, true);
    // The last restored size is saved, not a later move nor the maximized one.
    SetWindowPos(main->GetHandle(), nullptr, 50, 60, 640, 420, SWP_NOZORDER);
    SetWindowPos(main->GetHandle(), nullptr, 300, 200, 0, 0, SWP_NOZORDER | SWP_NOSIZE);
    ShowWindow(main->GetHandle(), SW_MAXIMIZE);
    Pump();

    const std::string selected = main->GetFolderTree()->SelectedPath();  // C:\songs does not exist: the desktop
    main->SendMessage(WM_CLOSE, 0, 0);
    const struct {
        const char* name;
        DWORD value;
    } numbers[] = {{"ShowWindowFlag", 0xFFFFFFE0u | 4 | 8}, {"TreeViewWidth", 150}, {"EditFrameHeight", 120},
                   {"ExportChannel", 0x8004},  {"WindowLeft", 50},   {"WindowTop", 60},
                   {"WindowWidth", 640},       {"WindowHeight", 420}};
    for (const auto& n : numbers) {
        DWORD value = 0;
        ASSERT_TRUE(ReadNumber(n.name, value)) << n.name;
        EXPECT_EQ(n.value, value) << n.name;
    }
    std::string path;
    ASSERT_TRUE(ReadText("LastPath", path));
    EXPECT_EQ(selected, path);
}

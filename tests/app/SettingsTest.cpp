#include "AppTestSupport.h"

#include "app/settings/Settings.h"
#include "app/dataview/ChannelToolBar.h"
#include "app/dataview/DataFrame.h"
#include "app/RightFrame.h"
#include "app/browser/FolderTreeView.h"
#include "resources/resource.h"

#include <shlobj.h>

#include <iterator>

// What the settings key holds: each value's name, registry type and default,
// written out here rather than read from the program's own table.
struct StoredValue {
    const char* name;
    DWORD type;
    uint32_t number;
    const char* text;
};
const StoredValue kStored[] = {
    {"WindowLeft", REG_DWORD, 0x80000000u, nullptr},
    {"WindowTop", REG_DWORD, 0x80000000u, nullptr},
    {"WindowWidth", REG_DWORD, 0x80000000u, nullptr},
    {"WindowHeight", REG_DWORD, 0x80000000u, nullptr},
    {"TreeViewWidth", REG_DWORD, 200, nullptr},
    {"EditFrameHeight", REG_DWORD, 200, nullptr},
    {"LastPath", REG_SZ, 0, ""},
    {"EncodeChannel", REG_DWORD, 0xFDFF, nullptr},
    {"ExportChannel", REG_DWORD, 0, nullptr},
    {"SelectedTab", REG_DWORD, 0, nullptr},
    {"CompleteReading", REG_DWORD, 0, nullptr},
    {"NormalizeResolution", REG_DWORD, 0, nullptr},
    {"RealTimeEncode", REG_DWORD, 0, nullptr},
    {"PrintFormat1", REG_SZ, 0, "\\tdb\\t%02d,$%02X,$%02X,$%02X\\t;%02d %03d %05d %03d"},
    {"PrintFormat2", REG_SZ, 0, "\\tdb\\t%02d,$%02X\\t\\t;%02d %03d %05d %03d"},
    {"ShowWindowFlag", REG_DWORD, 15, nullptr},
};

// The record alone, without windows: Load and Save against the test's key.
class SettingsRecord : public ::testing::Test {
protected:
    void SetUp() override
    {
        DeleteTestKey();
        settings.SetKeyPath(TestKeyPath());
    }
    void TearDown() override { DeleteTestKey(); }
    // Every field of `s` holds its default and the key nothing, or (for
    // `changed`) a value of its own that the key holds with its type.
    static void ExpectValues(const Settings& s, bool changed)
    {
        for (size_t i = 0; i < std::size(kStored); ++i) {
            const StoredValue& v = kStored[i];
            SCOPED_TRACE(v.name);
            const SettingsValue* field = Settings::FindValue(v.name);
            ASSERT_NE(nullptr, field);
            ASSERT_EQ(v.type == REG_SZ, field->isText());
            if (v.type == REG_SZ) EXPECT_EQ(changed ? Text(i) : std::string(v.text), s.*field->textField);
            else EXPECT_EQ(changed ? Number(i) : v.number,
                           field->signedField ? uint32_t(s.*field->signedField) : s.*field->unsignedField);
            DWORD type = REG_NONE, size = 0;
            EXPECT_EQ(changed, RegGetValueA(HKEY_CURRENT_USER, TestKeyPath().c_str(), v.name, RRF_RT_ANY | RRF_NOEXPAND,
                                            &type, nullptr, &size) == ERROR_SUCCESS);
            EXPECT_EQ(changed ? v.type : DWORD(REG_NONE), type);
            if (changed && type == REG_SZ) {
                EXPECT_EQ(Text(i).size() + 1, size);  // with its zero
            }
        }
    }
    // Not a default: negative, large and Shift-JIS values; one text stored empty.
    static uint32_t Number(size_t i) { return 0xFFFFFFF0u - uint32_t(i) * 0x01010101u; }
    static std::string Text(size_t i) { return i % 2 ? "" : "C:\\\x95\x5C\\" + std::to_string(i); }
    Settings settings;
};

// A first run takes every default and makes the key empty; Save writes every
// value with its type, and the values load back.
TEST_F(SettingsRecord, FirstRunTakesTheDefaultsAndSaveWritesEveryValueWithItsType)
{
    settings.TreeViewWidth = 1;
    settings.LastPath = "x";  // not the defaults before the load
    EXPECT_TRUE(settings.Load());
    ExpectValues(settings, false);
    ExpectValues(Settings(), false);
    size_t count = 0;
    Settings::Values(count);
    EXPECT_EQ(std::size(kStored), count);
    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER, TestKeyPath().c_str(), 0, KEY_READ, &key));
    RegCloseKey(key);

    for (size_t i = 0; i < std::size(kStored); ++i) {
        const SettingsValue* v = Settings::FindValue(kStored[i].name);
        ASSERT_NE(nullptr, v) << kStored[i].name;
        if (v->isText()) settings.*v->textField = Text(i);
        else if (v->signedField) settings.*v->signedField = int32_t(Number(i));
        else settings.*v->unsignedField = Number(i);
    }
    EXPECT_TRUE(settings.Save());  // no main window: nothing to capture
    Settings again;
    again.SetKeyPath(TestKeyPath());
    again.Load();
    ExpectValues(again, true);  // a text stored empty stays empty
}

TEST_F(SettingsRecord, MissingForeignOrOddTextValuesTakeTheirDefaultsAndTheRestStillLoads)
{
    const DWORD tab = 1, encodeChannel = 3;
    WriteValue(TestKeyPath(), "EncodeChannel", REG_DWORD, &encodeChannel, 4);
    WriteValue(TestKeyPath(), "SelectedTab", REG_DWORD, &tab, 4);
    // A number stored as text, a text stored as a number, a text of size 0, binary.
    WriteValue(TestKeyPath(), "TreeViewWidth", REG_SZ, "150", 4);
    WriteValue(TestKeyPath(), "PrintFormat1", REG_DWORD, &tab, 4);
    WriteValue(TestKeyPath(), "PrintFormat2", REG_SZ, "", 0);
    WriteValue(TestKeyPath(), "WindowTop", REG_BINARY, "\x01\x02", 2);
    WriteValue(TestKeyPath(), "LastPath", REG_SZ, "C:\\a\0junk", 10);  // texts end at their first zero
    settings.Load();
    EXPECT_EQ(3u, settings.EncodeChannel);
    EXPECT_EQ(1, settings.SelectedTab);
    EXPECT_EQ(200, settings.TreeViewWidth);
    EXPECT_EQ(int32_t(0x80000000), settings.WindowTop);
    EXPECT_EQ(Settings().PrintFormat1, settings.PrintFormat1);
    EXPECT_EQ(Settings().PrintFormat2, settings.PrintFormat2);
    EXPECT_EQ("C:\\a", settings.LastPath);

    WriteValue(TestKeyPath(), "PrintFormat1", REG_SZ, "no terminator", 13);  // or at the end of the data
    const std::string longText(5000, 'p');
    WriteValue(TestKeyPath(), "PrintFormat2", REG_SZ, longText.c_str(), DWORD(longText.size() + 1));
    settings.Load();
    EXPECT_EQ("no terminator", settings.PrintFormat1);
    EXPECT_EQ(longText, settings.PrintFormat2);
}

// With the windows: what they show of the stored values, and what Save
// captures from them.
class SettingsLivePanes : public AppWindowTest {
protected:
    void Prepare() override
    {
        const std::pair<const char*, DWORD> numbers[] = {
            {"ShowWindowFlag", 0xFFFFFFE0},  // bits 5 to 31 only
            {"TreeViewWidth", 150}, {"EditFrameHeight", 120}, {"WindowWidth", 700}, {"ExportChannel", 0x0005},
            {"CompleteReading", 1}, {"NormalizeResolution", 1}};
        for (const auto& n : numbers) WriteValue(TestKeyPath(), n.first, REG_DWORD, &n.second, 4);
        WriteText("LastPath", "C:\\songs");
    }
};

TEST_F(SettingsLivePanes, PanesAndChannelsShowAsStoredAndSaveTakesThemTheRestoredSizeAndTheUninterpretedBits)
{
    // Flags 0: every pane hidden.
    EXPECT_FALSE(IsWindowVisible(main->GetFolderTree()->GetHandle()));
    EXPECT_FALSE(IsWindowVisible(main->GetRightFrame()->GetDataFrame()->GetHandle()));
    EXPECT_EQ(700, main->GetWindowWidth());
    ChannelToolBar* toolbar = main->GetRightFrame()->GetDataFrame()->GetChannelToolBar();
    EXPECT_TRUE(toolbar->IsChecked(IDM_COMPLETE_READING));
    EXPECT_TRUE(toolbar->IsChecked(IDM_NORMALIZE_RESOLUTION));
    EXPECT_FALSE(toolbar->IsChecked(IDM_OPTION_CHANNELS));
    for (UINT n = 0; n < 3; ++n) EXPECT_EQ(n != 1, toolbar->IsChecked(IDM_CHANNEL_FIRST + n)) << n;
    main->SendMessage(WM_COMMAND, IDM_TREEVIEW, 0);
    main->SendMessage(WM_COMMAND, IDM_DATAVIEW, 0);
    // A click in the group releases one checked button; what the buttons
    // then show is what is stored.
    ClickButton(toolbar, IDM_CHANNEL_FIRST + 15);
    DWORD channels = 0;
    for (UINT n = 0; n < 16; ++n)
        if (toolbar->IsChecked(IDM_CHANNEL_FIRST + n)) channels |= 1u << n;
    EXPECT_TRUE(channels & 0x8000);
    ClickButton(toolbar, IDM_COMPLETE_READING);  // the reading buttons' states are stored too
    ClickButton(toolbar, IDM_NORMALIZE_RESOLUTION);
    // The last restored size is saved, not a later move nor the maximized one.
    SetWindowPos(main->GetHandle(), nullptr, 50, 60, 640, 420, SWP_NOZORDER);
    SetWindowPos(main->GetHandle(), nullptr, 300, 200, 0, 0, SWP_NOZORDER | SWP_NOSIZE);
    ShowWindow(main->GetHandle(), SW_MAXIMIZE);
    Pump();

    char desktop[MAX_PATH] = {};
    SHGetFolderPathA(nullptr, CSIDL_DESKTOP, nullptr, 0, desktop);
    EXPECT_EQ(desktop, main->GetFolderTree()->SelectedPath());  // C:\songs does not exist
    EXPECT_EQ("velmora - [" + std::string(desktop) + "]", main->GetText());
    main->SendMessage(WM_CLOSE, 0, 0);
    const struct {
        const char* name;
        DWORD value;
    } numbers[] = {{"ShowWindowFlag", 0xFFFFFFE0u | 4 | 8}, {"TreeViewWidth", 150}, {"EditFrameHeight", 120},
                   {"ExportChannel", channels},  {"WindowLeft", 50},   {"WindowTop", 60},
                   {"WindowWidth", 640},         {"WindowHeight", 420},  {"CompleteReading", 0},
                   {"NormalizeResolution", 0}};
    for (const auto& n : numbers) {
        DWORD value = 0;
        ASSERT_TRUE(ReadNumberAt(TestKeyPath(), n.name, value)) << n.name;
        EXPECT_EQ(n.value, value) << n.name;
    }
    std::string path;
    ASSERT_TRUE(ReadTextAt(TestKeyPath(), "LastPath", path));
    EXPECT_EQ(desktop, path);
}

#include "app/settings/Settings.h"

#include "encode/NoteEncoder.h"
#include "framework/KvRegKey.h"

#include <vector>

const char Settings::kKey[] = "Software\\brelvik\\velmora";

namespace {

constexpr uint32_t kUseDefault = 0x80000000;  // CW_USEDEFAULT as stored

uint32_t ReadNumber(KvRegKey& key, const char* name, uint32_t fallback)
{
    DWORD type = 0;
    DWORD value = 0;
    DWORD size = sizeof value;
    // A value of another type is no number of ours: it counts as missing.
    if (key.QueryValue(name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) != ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof value)
        return fallback;
    return value;
}

std::string ReadText(KvRegKey& key, const char* name, const char* fallback)
{
    DWORD type = 0;
    DWORD size = 0;
    if (key.QueryValue(name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS || size == 0 ||
        (type != REG_SZ && type != REG_EXPAND_SZ))
        return fallback;
    std::vector<char> buffer(size_t(size) + 1, '\0');
    DWORD got = size;
    if (key.QueryValue(name, nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &got) != ERROR_SUCCESS)
        return fallback;
    // Up to the first zero byte, or the end of the data when it holds none.
    return std::string(buffer.data());
}

void WriteNumber(KvRegKey& key, const char* name, uint32_t value)
{
    const DWORD v = value;
    key.SetValue(name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&v), sizeof v);
}

void WriteText(KvRegKey& key, const char* name, const std::string& text)
{
    key.SetValue(name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()), DWORD(text.size() + 1));
}

}  // namespace

Settings::Settings()
    : WindowLeft(int32_t(kUseDefault)),
      WindowTop(int32_t(kUseDefault)),
      WindowWidth(int32_t(kUseDefault)),
      WindowHeight(int32_t(kUseDefault)),
      TreeViewWidth(200),
      EditFrameHeight(200),
      EncodeChannel(NoteEncoder::kDefaultEncodeChannel),
      ExportChannel(0),
      SelectedTab(0),
      ShowWindowFlag(15),
      keyPath_(kKey)
{
}

Settings::~Settings() = default;

bool Settings::Load()
{
    KvRegKey key;
    DWORD disposition = 0;
    // A key that cannot be opened leaves every read to fail: all defaults.
    key.Create(HKEY_CURRENT_USER, keyPath_.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_READ, nullptr,
               &disposition);
    WindowLeft = int32_t(ReadNumber(key, "WindowLeft", kUseDefault));
    WindowTop = int32_t(ReadNumber(key, "WindowTop", kUseDefault));
    WindowWidth = int32_t(ReadNumber(key, "WindowWidth", kUseDefault));
    WindowHeight = int32_t(ReadNumber(key, "WindowHeight", kUseDefault));
    TreeViewWidth = int32_t(ReadNumber(key, "TreeViewWidth", 200));
    EditFrameHeight = int32_t(ReadNumber(key, "EditFrameHeight", 200));
    LastPath = ReadText(key, "LastPath", "");
    EncodeChannel = ReadNumber(key, "EncodeChannel", NoteEncoder::kDefaultEncodeChannel);
    ExportChannel = ReadNumber(key, "ExportChannel", 0);
    SelectedTab = int32_t(ReadNumber(key, "SelectedTab", 0));
    CompleteReading = ReadNumber(key, "CompleteReading", 0);
    PrintFormat1 = ReadText(key, "PrintFormat1", NoteEncoder::kDefaultFormat1);
    PrintFormat2 = ReadText(key, "PrintFormat2", NoteEncoder::kDefaultFormat2);
    ShowWindowFlag = ReadNumber(key, "ShowWindowFlag", 15);
    key.Close();
    return true;
}

bool Settings::Save()
{
    CaptureState();
    KvRegKey key;
    DWORD disposition = 0;
    key.Create(HKEY_CURRENT_USER, keyPath_.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr,
               &disposition);
    WriteNumber(key, "WindowLeft", uint32_t(WindowLeft));
    WriteNumber(key, "WindowTop", uint32_t(WindowTop));
    WriteNumber(key, "WindowWidth", uint32_t(WindowWidth));
    WriteNumber(key, "WindowHeight", uint32_t(WindowHeight));
    WriteNumber(key, "TreeViewWidth", uint32_t(TreeViewWidth));
    WriteNumber(key, "EditFrameHeight", uint32_t(EditFrameHeight));
    WriteText(key, "LastPath", LastPath);
    WriteNumber(key, "EncodeChannel", EncodeChannel);
    WriteNumber(key, "ExportChannel", ExportChannel);
    WriteNumber(key, "SelectedTab", uint32_t(SelectedTab));
    WriteNumber(key, "CompleteReading", CompleteReading);
    WriteText(key, "PrintFormat1", PrintFormat1);
    WriteText(key, "PrintFormat2", PrintFormat2);
    WriteNumber(key, "ShowWindowFlag", ShowWindowFlag);
    key.Close();
    return true;
}

bool Settings::CaptureState()
{
    if (capture_) capture_->CaptureState(*this);
    return true;
}

bool Settings::CaptureWindowRect()
{
    if (capture_) capture_->CaptureWindowRect(*this);
    return true;
}

namespace {
Settings* g_current = nullptr;
}  // namespace

Settings& GetSettings()
{
    static Settings defaults;
    return g_current ? *g_current : defaults;
}

void SetCurrentSettings(Settings* settings)
{
    g_current = settings;
}

#include "app/settings/Settings.h"

#include "core/encode/NoteEncoder.h"
#include "framework/KvRegKey.h"

#include <cstring>
#include <vector>

const char Settings::kKey[] = "Software\\brelvik\\velmora";

namespace {

constexpr uint32_t kUseDefault = 0x80000000;  // CW_USEDEFAULT as stored

SettingsValue Signed(const char* name, int32_t Settings::*field, uint32_t fallback)
{
    return SettingsValue{name, field, nullptr, nullptr, fallback, nullptr};
}

SettingsValue Unsigned(const char* name, uint32_t Settings::*field, uint32_t fallback)
{
    return SettingsValue{name, nullptr, field, nullptr, fallback, nullptr};
}

SettingsValue Text(const char* name, std::string Settings::*field, const char* fallback)
{
    return SettingsValue{name, nullptr, nullptr, field, 0, fallback};
}

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
    (void)key.SetValue(name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&v), sizeof v);
}

void WriteText(KvRegKey& key, const char* name, const std::string& text)
{
    (void)key.SetValue(name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()), DWORD(text.size() + 1));
}

// Each field of `settings` by its row: the default, or what `read` gives.
template <class ReadNumberFn, class ReadTextFn>
void Fill(Settings& settings, ReadNumberFn readNumber, ReadTextFn readText)
{
    size_t count = 0;
    const SettingsValue* values = Settings::Values(count);
    for (size_t i = 0; i < count; ++i) {
        const SettingsValue& v = values[i];
        if (v.textField) settings.*v.textField = readText(v);
        else if (v.signedField) settings.*v.signedField = int32_t(readNumber(v));
        else settings.*v.unsignedField = readNumber(v);
    }
}

}  // namespace

const SettingsValue* Settings::Values(size_t& count)
{
    static const SettingsValue values[] = {
        Signed("WindowLeft", &Settings::WindowLeft, kUseDefault),
        Signed("WindowTop", &Settings::WindowTop, kUseDefault),
        Signed("WindowWidth", &Settings::WindowWidth, kUseDefault),
        Signed("WindowHeight", &Settings::WindowHeight, kUseDefault),
        Signed("TreeViewWidth", &Settings::TreeViewWidth, 200),
        Signed("EditFrameHeight", &Settings::EditFrameHeight, 200),
        Text("LastPath", &Settings::LastPath, ""),
        Unsigned("EncodeChannel", &Settings::EncodeChannel, NoteEncoder::kDefaultEncodeChannel),
        Unsigned("ExportChannel", &Settings::ExportChannel, 0),
        Signed("SelectedTab", &Settings::SelectedTab, 0),
        Unsigned("CompleteReading", &Settings::CompleteReading, 0),
        Unsigned("NormalizeResolution", &Settings::NormalizeResolution, 0),
        Unsigned("RealTimeEncode", &Settings::RealTimeEncode, 0),
        Text("PrintFormat1", &Settings::PrintFormat1, NoteEncoder::kDefaultFormat1),
        Text("PrintFormat2", &Settings::PrintFormat2, NoteEncoder::kDefaultFormat2),
        Unsigned("ShowWindowFlag", &Settings::ShowWindowFlag,
                 ShowWindowFlags::kToolbar | ShowWindowFlags::kStatusBar | ShowWindowFlags::kTree |
                     ShowWindowFlags::kDataView),
    };
    count = sizeof values / sizeof values[0];
    return values;
}

const SettingsValue* Settings::FindValue(const char* name)
{
    size_t count = 0;
    const SettingsValue* values = Values(count);
    for (size_t i = 0; i < count; ++i)
        if (std::strcmp(values[i].name, name) == 0) return &values[i];
    return nullptr;
}

Settings::Settings() : keyPath_(kKey)
{
    Fill(
        *this, [](const SettingsValue& v) { return v.numberDefault; },
        [](const SettingsValue& v) { return std::string(v.textDefault); });
}

Settings::~Settings() = default;

bool Settings::Load()
{
    KvRegKey key;
    DWORD disposition = 0;
    // A key that cannot be opened leaves every read to fail: all defaults.
    (void)key.Create(HKEY_CURRENT_USER, keyPath_.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_READ, nullptr,
                     &disposition);
    Fill(
        *this, [&key](const SettingsValue& v) { return ReadNumber(key, v.name, v.numberDefault); },
        [&key](const SettingsValue& v) { return ReadText(key, v.name, v.textDefault); });
    key.Close();
    return true;
}

bool Settings::Save()
{
    CaptureState();
    KvRegKey key;
    DWORD disposition = 0;
    // Registry failures are silent: the changes of the run are then lost.
    (void)key.Create(HKEY_CURRENT_USER, keyPath_.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr,
                     &disposition);
    size_t count = 0;
    const SettingsValue* values = Values(count);
    for (size_t i = 0; i < count; ++i) {
        const SettingsValue& v = values[i];
        if (v.textField) WriteText(key, v.name, this->*v.textField);
        else if (v.signedField) WriteNumber(key, v.name, uint32_t(this->*v.signedField));
        else WriteNumber(key, v.name, this->*v.unsignedField);
    }
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

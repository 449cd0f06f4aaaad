#pragma once
// Settings: everything the program remembers between runs, read from the
// settings key once at start-up and written back once when the main window
// is asked to close. During the run it is the live source of the values the
// windows need at creation and of those the encoding uses.
#include "core/layout/ShowWindowFlags.h"

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <string>

class Settings;

// Where the live window state comes from when the settings are captured:
// the main window's panes in the running program.
class SettingsSource {
public:
    virtual ~SettingsSource() = default;
    virtual void CaptureState(Settings& settings) = 0;
    virtual void CaptureWindowRect(Settings& settings) = 0;
};

// One stored value: its name in the settings key, the field it fills (one of
// the three) and the default it takes when it is missing.
struct SettingsValue {
    const char* name;
    int32_t Settings::*signedField;
    uint32_t Settings::*unsignedField;
    std::string Settings::*textField;
    uint32_t numberDefault;
    const char* textDefault;

    bool isText() const { return textField != nullptr; }
};

class Settings {
public:
    static const char kKey[];  // under HKEY_CURRENT_USER

    // The stored values, in the order they are read and written; `count`
    // receives their number.
    static const SettingsValue* Values(size_t& count);
    // The row of `name`, or null.
    static const SettingsValue* FindValue(const char* name);

    // Every stored field holds its default.
    Settings();
    virtual ~Settings();

    // Reads every stored field; a value that is missing (or of another
    // registry type, or a text of size 0) takes its default.
    bool Load();
    // CaptureState, then writes every stored field.
    bool Save();
    // Copies the live window state of the main window's panes.
    bool CaptureState();
    // Copies the main window's outer rectangle unless it is minimized.
    bool CaptureWindowRect();
    // The source the two captures read; none leaves the fields as they are.
    void SetSource(SettingsSource* source) { capture_ = source; }

    // Where Load and Save go; the settings key unless a test chooses another.
    void SetKeyPath(const std::string& path) { keyPath_ = path; }

    int32_t WindowLeft;
    int32_t WindowTop;
    int32_t WindowWidth;
    int32_t WindowHeight;
    int32_t TreeViewWidth;
    int32_t EditFrameHeight;
    uint32_t EncodeChannel;
    uint32_t ExportChannel;
    int32_t SelectedTab;
    uint32_t ShowWindowFlag;
    uint32_t CompleteReading;  // 1: the data view reads all tracks (button 40044)
    uint32_t NormalizeResolution;  // 1: lengths at 480 ticks per quarter (button 40046)
    uint32_t RealTimeEncode;       // 1: the options' OK and Apply encode the data view again at once
    std::string LastPath;
    std::string PrintFormat1;
    std::string PrintFormat2;

private:
    std::string keyPath_;
    SettingsSource* capture_ = nullptr;
};

// The settings of the running program: the main window's record, or a
// record of defaults while there is none.
Settings& GetSettings();
void SetCurrentSettings(Settings* settings);

#pragma once
// SettingsCapture: reads the live state of the main window's panes into the
// settings record before it is saved (pane sizes, the tree's folder, the
// channel buttons, which panes are shown, the MIDI filter).
#include "app/settings/Settings.h"

class SettingsCapture : public SettingsSource {
public:
    void CaptureState(Settings& settings) override;
    void CaptureWindowRect(Settings& settings) override;
};

#pragma once
// ShowWindowFlags: the stored ShowWindowFlag value: which of the main
// window's panes are shown and whether the MIDI-only button is pressed.
// Bits 5 to 31 mean nothing to the program and are written back as read.
#include <cstdint>

class ShowWindowFlags {
public:
    static constexpr uint32_t kToolbar = 1;
    static constexpr uint32_t kStatusBar = 2;
    static constexpr uint32_t kTree = 4;
    static constexpr uint32_t kDataView = 8;
    static constexpr uint32_t kMidiOnly = 16;
    static constexpr uint32_t kOwnBits = 31;

    // What the live windows show.
    struct Live {
        bool toolbar;
        bool statusBar;
        bool tree;
        bool dataView;
        bool midiOnly;
    };

    // The value to store: bits 0 to 4 from the live windows, the others from
    // the value read at start-up.
    static uint32_t Compose(uint32_t stored, const Live& live);
};

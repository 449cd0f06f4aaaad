#pragma once
// MainToolbar: the main window's toolbar: back, forward, up, the three pane
// buttons and the MIDI-only button.
#include "framework/KvToolbar.h"

class MainToolbar : public KvToolbar {
public:
    LRESULT OnCreate(CREATESTRUCTA* create) override;
};

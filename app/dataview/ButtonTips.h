#pragma once
// The tooltips of the toolbar buttons (the main toolbar's and the channel
// toolbar's), by command id.
#include <windows.h>
#include <commctrl.h>

#include <string>

// The tooltip of the button with command `id`; empty for none.
std::string ButtonTip(UINT id);

// Answers a toolbar's request for a button's tooltip (TTN_GETDISPINFOA);
// false for any other notification or a button without one.
bool AnswerButtonTip(NMHDR* header);

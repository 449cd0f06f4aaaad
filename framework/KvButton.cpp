#include "framework/KvButton.h"

KvButton::KvButton() : KvControl(0, "Button", "KVSDK_Button") {}

KvButton::KvButton(HWND window) : KvControl(window, 0, "Button", "KVSDK_Button") {}

KvButton::~KvButton() = default;

LRESULT KvButton::GetCheck() { return SendMessage(BM_GETCHECK, 0, 0); }

LRESULT KvButton::SetCheck(WPARAM state) { return SendMessage(BM_SETCHECK, state, 0); }

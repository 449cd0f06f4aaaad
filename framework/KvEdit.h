#pragma once
// KvEdit: an edit control under the superclass "KVSDK_Edit". Its edit
// notifications reach the eight OnEn operations when the parent's OnCommand
// leaves them unhandled (the parent's dispatcher reflects them).
#include "framework/KvControl.h"

class KvEdit : public KvControl {
public:
    KvEdit();
    explicit KvEdit(HWND window);
    ~KvEdit() override;

    // Each gets (wParam, notification code, lParam) of the command message.
    virtual LRESULT OnEnVScroll(WPARAM wParam, UINT code, LPARAM lParam);
    virtual LRESULT OnEnUpdate(WPARAM wParam, UINT code, LPARAM lParam);
    virtual LRESULT OnEnSetFocus(WPARAM wParam, UINT code, LPARAM lParam);
    virtual LRESULT OnEnMaxText(WPARAM wParam, UINT code, LPARAM lParam);
    virtual LRESULT OnEnKillFocus(WPARAM wParam, UINT code, LPARAM lParam);
    virtual LRESULT OnEnHScroll(WPARAM wParam, UINT code, LPARAM lParam);
    virtual LRESULT OnEnErrSpace(WPARAM wParam, UINT code, LPARAM lParam);
    virtual LRESULT OnEnChange(WPARAM wParam, UINT code, LPARAM lParam);

    // Picks the operation by the notification code of a reflected command;
    // 1 when it returned nonzero, else 0. Other messages give 0.
    LRESULT OnOtherMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
};

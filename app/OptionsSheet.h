#pragma once
// OptionsSheet: the modal options sheet with its General and Encode pages.
// It opens on the page that was active when it was last closed.
#include "framework/KvPropertySheet.h"

class EncodePage;
class GeneralPage;

class OptionsSheet : public KvPropertySheet {
public:
    static const char kCaption[];

    OptionsSheet();
    ~OptionsSheet() override;

    LRESULT OnDestroy() override;
    LRESULT OnInitDialog() override;

    // Builds and runs the sheet; returns when the user closes it.
    INT_PTR Show(HWND owner);

    GeneralPage* GetGeneralPage() const { return generalPage; }
    EncodePage* GetEncodePage() const { return encodePage; }

private:
    GeneralPage* generalPage;
    EncodePage* encodePage;
};

#pragma once
// OptionsSheet: the modal options sheet with its General and Encode pages.
// It opens on the page that was active when it was last closed.
#include "framework/KvPropertySheet.h"

#include <memory>

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

    GeneralPage* GetGeneralPage() const { return generalPage.get(); }
    EncodePage* GetEncodePage() const { return encodePage.get(); }

private:
    std::unique_ptr<GeneralPage> generalPage;
    std::unique_ptr<EncodePage> encodePage;
};

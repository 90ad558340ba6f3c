// CHelpContainer: the help page's content, one rich label filling the page with the help text in
// the user's language ("HelpText.xml" or a localised variant, chosen by MakeLocalizedName). Its
// title button and the back action leave the page.
#pragma once
#include "app/LmIds.h"
#include "controls/CKRichLabel.h"
#include "ui/CKContainer.h"

class CHelpContainer : public CKContainer
{
    K_DECLARE_CLASS(CHelpContainer)
public:
    CHelpContainer() = default;

    // ---- CKWindow slots ----
    // After the base: the label's window, loaded with the help text of the user's locale. 0 when
    // the label cannot be created; a missing help file leaves it empty.
    int OnCreate() override;
    // The label takes the whole client area.
    void OnSize() override;
    // The back button (IDS_HELP_BACK) closes the page.
    int OnCommand(int command) override;

    // ---- Container slots ----
    // As the back button. Returns 1.
    int OnBack() override;

    // Loads the help file chosen for `locale` (such as "zh-TW"; none: the user's locale) into the
    // label; 1, or 0 when there is no such file.
    int LoadHelp(const wchar_t* locale);
    CKRichLabel* GetLabel() { return &label; }

private:
    CKRichLabel label;   // owned member; its window is a child of this one
};

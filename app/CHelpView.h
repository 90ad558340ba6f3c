// CHelpView: the help page (IDS_PAGE_HELP, "使用帮助"): a title with the back button over a
// CHelpContainer. The page is created with the others at start-up and shown from the settings page.
#pragma once
#include "app/CHelpContainer.h"
#include "ui/CKView.h"

class CHelpView : public CKView
{
    K_DECLARE_CLASS(CHelpView)
public:
    CHelpView() = default;

    // The base, then the back button shows the back arrow of "TitleImgList.png" instead of its
    // text.
    int OnCreate() override;
    CKContainer* GetContainer() override { return &content; }

private:
    CHelpContainer content;   // owned member: the page's content
};

// CSettingView: the settings page ("选项设置", IDS_PAGE_SETTINGS): the title with its back button and
// the settings list of CSettingContainer. One of the application's four pages (app/CLumoApp.cpp).
#pragma once
#include "app/CSettingContainer.h"
#include "ui/CKView.h"

class CSettingView : public CKView
{
    K_DECLARE_CLASS(CSettingView)
public:
    CSettingView() = default;

    CKContainer* GetContainer() override { return &container; }
    // After the base: the title's back button (IDS_SETTINGS_BACK) shows the back icon of
    // "TitleImgList.png" instead of its text; without that image list it keeps the text.
    int OnCreate() override;

    CSettingContainer* GetSettingContainer() { return &container; }

private:
    CSettingContainer container;   // owned (a member)
};

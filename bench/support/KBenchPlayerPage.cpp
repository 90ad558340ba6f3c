// The player page for the benchmarks, built the way CLumoApp builds it.
#include "KBenchPlayerPage.h"

#include "app/CPlayerView.h"
#include "app/LmPageTable.h"
#include "app/LmSettings.h"
#include "foundation/KPaths.h"
#include "ui/CKApplication.h"
#include "ui/KViewStack.h"

// The application object the frame window belongs to.
class CBenchApp : public CKApplication
{
public:
    CBenchApp() : CKApplication(GetModuleHandleW(nullptr), L"") {}
};

namespace {

int PageLookup(int viewId, KPageEntry* entry)
{
    const KPageRow* row = FindPageRow(viewId);
    if (!row)
        return 0;
    *entry = KPageEntry{row->flags, row->leftTextId, row->leftStyle, row->rightTextId,
                        row->rightStyle};
    return 1;
}

} // namespace

KBenchPlayerApp::KBenchPlayerApp() : app(new CBenchApp())
{
    app->InitInstance();
    SetPageLookup(PageLookup);
    LmSettings::LoadSettings();
}

KBenchPlayerApp::~KBenchPlayerApp()
{
    DestroyPages();
    LmSettings::SaveAndCloseSettings();
    wchar_t path[KMAX_PATH];
    MakeModulePath(path, L"Settings.ini");
    DeleteFileW(path);
    delete app;
}

CPlayerView* StartPlayerPage(const wchar_t* path)
{
    CPlayerView* view = new CPlayerView();
    view->EnableRefCount();
    view->SetPlayListPath(path);
    view->Initialize(KVF_DRAWER);
    view->InitView(KVF_DRAWER, IDS_PAGE_PLAYER);
    AddPage(view);
    if (!ShowView(view))
        return nullptr;
    UpdateWindow(view->GetHwnd());
    RedrawWindow(view->GetHwnd(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    return view;
}
